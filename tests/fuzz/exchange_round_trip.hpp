// Shared by the targets that read an exchange file: reading it as the program
// does, and the answer's lines as written back.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "exchange/JwwGaibu.hpp"
#include "fuzz_support.hpp"

namespace fuzz_support {

inline void ReadInto(JwwGaibu::TExchangeState& state, const std::filesystem::path& path) {
    JwwGaibu::ResetExchangeState(state);
    JwwGaibu::ReadExchangeFile(state, path);
    JwwGaibu::RewindAttributes(state);
}

// The answer's lines as the file written back holds them (the targets write
// no quote-ended ones); the answer is empty afterwards.
inline std::vector<std::string> WrittenLinesOf(JwwGaibu::TExchangeState& state) {
    const auto answer = ScratchFolder() / "answer.txt";
    Require(JwwGaibu::WriteExchangeFile(state, answer), "write-back failed");
    const std::string text = ReadAll(answer);
    std::vector<std::string> lines;
    if (text == JwwGaibu::kEmptyAnswer) return lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    Require(!lines.empty() && text.size() == text.rfind("\r\n") + 2, "answer not in lines");
    return lines;
}

} // namespace fuzz_support
