#include "exchange/output_buffer.hpp"

#include <memory>
#include <string_view>

#include "exchange/safe_save.hpp"
#include "platform/file_io.hpp"

namespace JwwGaibu {

namespace {

bool WriteAnswer(const TOutputLines& lines, TByteSink& sink) {
    if (lines.Count() == 0) return sink.Put(kEmptyAnswer);
    bool joining = false;
    return WriteEntries(lines, sink, joining);
}

// The host carries out whatever the file holds once we have ended: it must
// never find its own selection there again, nor half an answer. So where
// the answer cannot be saved, "hq" is written in place, and failing that
// the file goes.
bool HandBack(TSaveResult saved, const std::filesystem::path& path) {
    if (Saved(saved)) return true;
    if (!Saved(RewriteInPlace(path, ContentOf(kEmptyAnswer)))) RemoveFileQuietly(path);
    return false;
}

TSaveResult SaveAnswer(const TOutputLines& lines, const std::filesystem::path& path) {
    return SaveFileSafely(path, [&lines](TByteSink& sink) { return WriteAnswer(lines, sink); });
}

} // namespace

void AddOutputLine(TExchangeState& state, std::string_view text) {
    state.OutputLines.Add(text);
}

bool WriteExchangeFile(TExchangeState& state, const std::filesystem::path& path) {
    if (state.OutputLines.Count() == 0) state.AnswerSpill.reset(); // "hq" needs no spill
    if (!state.AnswerSpill) return HandBack(SaveAnswer(state.OutputLines, path), path);
    const TSaveResult saved = state.AnswerSpill->Finish(state.OutputLines, path);
    state.AnswerSpill.reset();
    return HandBack(saved, path);
}

bool ReplaceSelectionWithEmptyAnswer(const std::filesystem::path& path) {
    if (!Platform::FileExists(path)) return true; // nothing there to be drawn again
    static const TOutputLines no_lines;
    return HandBack(SaveAnswer(no_lines, path), path);
}

bool SpillAnswerBeside(TExchangeState& state, const std::filesystem::path& path,
                       std::size_t held_limit) {
    state.OutputLines.SpillTo(nullptr, 0);
    state.AnswerSpill = std::make_unique<TAnswerSpill>();
    if (!state.AnswerSpill->Start(path)) {
        state.AnswerSpill.reset(); // the text stays in memory, as it always could
        return false;
    }
    state.OutputLines.SpillTo(state.AnswerSpill.get(), held_limit);
    return true;
}

} // namespace JwwGaibu
