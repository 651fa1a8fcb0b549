// Unit1: the command's one sequence from the window's showing to its
// closing. The window's handlers, crossrect-cli run and cancel and the
// program without a window all go through these steps: Open (reset, read
// the host's file, hand it "hq" at once, rewind, load the settings), RunOk
// (the answer streams beside its file while the command runs) and Close
// (write back, release).
#pragma once

#include <filesystem>

#include "app/command_run.hpp"
#include "app/rect_settings.hpp"
#include "exchange/exchange_state.hpp"

namespace Unit1 {

struct TSessionFiles {
    std::filesystem::path Exchange; // the host's "JWC_TEMP.TXT"
    std::filesystem::path Settings;
    std::filesystem::path Answer; // where the answer goes: the exchange file, or elsewhere
};

// The window's files: both beside the program's own file.
TSessionFiles FilesBesideProgram(const std::filesystem::path& program_file);

enum class THandBack { AtOnce, Later };

class TCommandSession {
  public:
    TCommandSession(JwwGaibu::TExchangeState& state, TSessionFiles files);

    // False when the host's file exists but could not be read to its end:
    // what was read is let go and the answer abandoned, so that the run
    // only hands back "hq". Later leaves the selection in place until
    // HandBackNothing.
    bool Open(TRectSettings& settings, THandBack hand_back = THandBack::AtOnce);
    // Once read, the selection must not stay in the host's file: from now on
    // a kill or a crash leaves "hq" there, never the host's own lines. An
    // answer that goes elsewhere leaves the host's file alone.
    void HandBackNothing();
    // OK with validated settings. A run that cannot be completed (out of
    // memory, more lines than can be counted) is reported and leaves "hq".
    TRunReport RunOk(const TRectSettings& settings, const TStatusSink& status,
                     TSweepMethod method = TSweepMethod::Indexed);
    // After a failure: the host gets "hq", never half an answer.
    void Abandon() { state_.Answer.Abandon(); }
    // Writes the answer back and releases the state; false when the answer
    // (or "hq") could not be written completely.
    bool Close();

    const TSessionFiles& Files() const { return files_; }

  private:
    JwwGaibu::TExchangeState& state_;
    TSessionFiles files_;
};

} // namespace Unit1
