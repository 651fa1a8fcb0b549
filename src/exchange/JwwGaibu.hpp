// JwwGaibu: the host exchange. The exchange state and its figure tables, the
// reader of "JWC_TEMP.TXT", the answer writer with its write-back, and
// the output commands. Portable C++; texts stay Shift-JIS bytes.
#pragma once

#include "exchange/answer_writer.hpp"
#include "exchange/exchange_reader.hpp"
#include "exchange/exchange_state.hpp"
#include "exchange/output_commands.hpp"
