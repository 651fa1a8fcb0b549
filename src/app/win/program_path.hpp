// Unit1: the full path of the running program file, as the system reports
// it in UTF-16, so folders with Japanese characters or spaces survive.
#pragma once

#include <filesystem>

namespace Unit1 {

// Empty when the system cannot tell.
std::filesystem::path ProgramFilePath();

} // namespace Unit1
