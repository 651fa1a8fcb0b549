// crossrect-cli: paths. The folder of the running executable (where the
// settings file lives by default), and conversion between UTF-8 command-line
// text and filesystem paths, so that Japanese folder names work on Windows.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace CrossrectCli {

// Name of the settings file beside the executable; the window program's
// settings file, so both tools share the user's last values.
inline constexpr const char* kSettingsFileName = "crossrect.dat";

// The exchange file in a folder given as UTF-8 (empty: the current folder).
std::filesystem::path ExchangeFileIn(std::string_view dir_utf8);

// Empty when the executable's own path cannot be found.
std::filesystem::path ExecutableFolder();

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace CrossrectCli
