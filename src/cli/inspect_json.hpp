// crossrect-cli: the exchange state as one JSON object, keyed by the state's
// own field names, with every stored figure in file order. Texts are decoded
// from Shift-JIS; numbers keep their exact double values.
#pragma once

#include <nlohmann/json.hpp>

#include "exchange/exchange_state.hpp"

namespace CrossrectCli {

using TJson = nlohmann::ordered_json;

TJson ExchangeStateJson(const JwwGaibu::TExchangeState& state);

} // namespace CrossrectCli
