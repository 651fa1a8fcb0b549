// crossrect-cli: paths. Conversion between UTF-8 command-line text and
// filesystem paths, so that Japanese folder names work on Windows, and the
// files the tool finds by name.
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

std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string PathToUtf8(const std::filesystem::path& path);

} // namespace CrossrectCli
