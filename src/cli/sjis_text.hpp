// crossrect-cli: Shift-JIS (code page 932) text from the exchange file as
// UTF-8 for the console and JSON. The core keeps its bytes; only printing
// converts. A byte that starts no valid character becomes U+FFFD and
// decoding resumes right after it.
#pragma once

#include <string>
#include <string_view>

namespace CrossrectCli {

std::string SjisToUtf8(std::string_view sjis);

} // namespace CrossrectCli
