// Shared by the targets that read an exchange file: reading it as the program
// does, the buffer's lines, and the check that the file written back holds
// exactly those lines in the file's form.
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

// The answer's lines as held in memory (the targets write no quote-ended ones).
inline std::vector<std::string> OutputLinesOf(const JwwGaibu::TExchangeState& state) {
    const std::string text = state.Answer.HeldText();
    std::vector<std::string> lines;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2)
        lines.push_back(text.substr(at, end - at));
    return lines;
}

// The file's form, written independently of the write-back.
inline std::string FileForm(const std::vector<std::string>& lines) {
    if (lines.empty()) return "hq\r\n";
    std::string bytes;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        bytes += lines[i];
        if (!lines[i].empty() && lines[i].back() == '"' && i + 1 < lines.size()) {
            bytes += lines[++i];
        } else if (!lines[i].empty() && lines[i].back() == '"') {
            break;
        }
        bytes += "\r\n";
    }
    return bytes;
}

// lines: the buffer as it was before the write-back.
inline void RequireWrittenBack(JwwGaibu::TExchangeState& state,
                               const std::vector<std::string>& lines) {
    const auto answer = ScratchFolder() / "answer.txt";
    Require(JwwGaibu::WriteExchangeFile(state, answer), "write-back failed");
    Require(ReadAll(answer) == FileForm(lines), "written file differs from the buffer");
}

} // namespace fuzz_support
