#include "app/command_session.hpp"

#include "exchange/JwwGaibu.hpp"
#include "platform/file_io.hpp"

namespace Unit1 {

TSessionFiles FilesBesideProgram(const std::filesystem::path& program_file) {
    const auto exchange = program_file.parent_path() / JwwGaibu::kExchangeFileName;
    return {exchange, SettingsPathFor(program_file), exchange};
}

TCommandSession::TCommandSession(JwwGaibu::TExchangeState& state, TSessionFiles files)
    : state_(state), files_(std::move(files)) {}

bool TCommandSession::Open(TRectSettings& settings, THandBack hand_back) {
    JwwGaibu::ResetExchangeState(state_);
    // Missing means an empty selection; existing but unreadable is news.
    const bool read = JwwGaibu::ReadExchangeFile(state_, files_.Exchange) ||
                      !Platform::FileExists(files_.Exchange);
    if (!read) { // part of a selection is no selection: never drawn as if whole
        JwwGaibu::ReleaseExchangeState(state_);
        Abandon();
    }
    if (hand_back == THandBack::AtOnce) HandBackNothing();
    JwwGaibu::RewindAttributes(state_);
    LoadSettings(settings, files_.Settings);
    return read;
}

void TCommandSession::HandBackNothing() {
    if (files_.Answer == files_.Exchange)
        JwwGaibu::ReplaceSelectionWithEmptyAnswer(files_.Exchange);
}

TRunReport TCommandSession::RunOk(const TRectSettings& settings, const TStatusSink& status,
                                  TSweepMethod method) {
    state_.Answer.StreamBeside(files_.Answer); // bounded memory for any answer
    return DrawAtIntersections(state_, settings, files_.Settings, status, method);
}

bool TCommandSession::Close() {
    const bool written = JwwGaibu::WriteExchangeFile(state_, files_.Answer);
    JwwGaibu::ReleaseExchangeState(state_);
    return written;
}

} // namespace Unit1
