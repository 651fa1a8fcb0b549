// crossrect-cli: console output. Every text is UTF-8. A Windows console is
// written in UTF-16 so Japanese shows whatever its code page; pipes and files
// receive the UTF-8 bytes unchanged (no CR inserted) on every platform.
#pragma once

#include <cstdio>
#include <string_view>

namespace CrossrectCli {

// False when the stream could not take the text.
bool WriteText(std::FILE* stream, std::string_view utf8);

// True when the stream is an interactive console or terminal.
bool IsTerminal(std::FILE* stream);

// One line on standard error.
void PrintMessage(std::string_view utf8);

} // namespace CrossrectCli
