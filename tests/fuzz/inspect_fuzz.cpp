// crossrect-cli inspect's view of any file: the JSON must dump without
// throwing (every text decoded to valid UTF-8) and parse back as JSON.
#include <cstddef>
#include <cstdint>

#include "cli/inspect_json.hpp"
#include "exchange/JwwGaibu.hpp"
#include "fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace fuzz_support;
    static JwwGaibu::TExchangeState state;
    const auto path =
        WriteInput(JwwGaibu::kExchangeFileName, {reinterpret_cast<const char*>(data), size});
    JwwGaibu::ResetExchangeState(state);
    JwwGaibu::ReadExchangeFile(state, path);
    JwwGaibu::RewindAttributes(state);
    std::string text;
    try {
        text = CrossrectCli::ExchangeStateJson(state).dump(); // strict: throws on bad UTF-8
    } catch (const std::exception&) {
        Finding("the JSON does not dump (invalid UTF-8 in a decoded text)");
    }
    Require(nlohmann::json::accept(text), "the dumped JSON does not parse");
    return 0;
}
