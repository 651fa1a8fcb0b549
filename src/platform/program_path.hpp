// Platform: the full path of the running program file. The settings file
// lives beside it and the window program's exchange file too. On Windows the
// system reports it in UTF-16, so folders with Japanese characters survive.
#pragma once

#include <filesystem>

namespace Platform {

// Empty when the system cannot tell.
std::filesystem::path ProgramFilePath();

} // namespace Platform
