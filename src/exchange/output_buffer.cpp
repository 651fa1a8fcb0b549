#include "exchange/output_buffer.hpp"

#include <string_view>

#include "exchange/safe_save.hpp"

namespace JwwGaibu {

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kEmptyAnswer = "hq\r\n";
constexpr char kQuote = '"';

// An entry ending in a double quote runs on into the next entry, which ends
// the file line whatever it ends with; that is how a line longer than one
// entry is carried. A quote-ended last entry ends the file without CR LF.
bool WriteEntries(const TOutputLines& lines, TByteSink& sink) {
    bool joining = false;
    bool ok = true;
    lines.ForEach([&](std::string_view entry) {
        if (!ok) return;
        ok = sink.Put(entry);
        if (!joining && !entry.empty() && entry.back() == kQuote) {
            joining = true;
            return;
        }
        ok = ok && sink.Put(kLineEnd);
        joining = false;
    });
    return ok;
}

bool WriteAnswer(const TOutputLines& lines, TByteSink& sink) {
    if (lines.Count() == 0) return sink.Put(kEmptyAnswer);
    return WriteEntries(lines, sink);
}

// The host carries out whatever the file holds once we have ended: it must
// never find its own selection there again, nor half an answer. So where
// the answer cannot be saved, "hq" is written in place, and failing that
// the file goes.
bool HandBack(const TOutputLines& lines, const std::filesystem::path& path) {
    const TContentWriter answer = [&lines](TByteSink& sink) { return WriteAnswer(lines, sink); };
    if (Saved(SaveFileSafely(path, answer))) return true;
    if (!Saved(RewriteInPlace(path, ContentOf(kEmptyAnswer)))) RemoveFileQuietly(path);
    return false;
}

} // namespace

void AddOutputLine(TExchangeState& state, std::string_view text) {
    state.OutputLines.Add(text);
}

bool WriteExchangeFile(const TExchangeState& state, const std::filesystem::path& path) {
    return HandBack(state.OutputLines, path);
}

bool WriteEmptyAnswer(const std::filesystem::path& path) {
    static const TOutputLines no_lines;
    return HandBack(no_lines, path);
}

} // namespace JwwGaibu
