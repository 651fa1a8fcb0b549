// crossrect-cli: the command-line arguments as UTF-8 strings. On Windows the
// narrow argv is in the ANSI code page and loses characters outside it, so
// the arguments are taken from the wide command line instead.
#pragma once

#include <string>
#include <vector>

namespace CrossrectCli {

// argv[0] included.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

} // namespace CrossrectCli
