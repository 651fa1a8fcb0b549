// crossrect-cli: where the command run's status texts go without a window:
// an optional log file (one UTF-8 line per text, LF) and, on a terminal, a
// progress bar on standard error.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/command_run.hpp"
#include "cli/progress_bar.hpp"
#include "platform/file_io.hpp"

namespace CrossrectCli {

class TRunStatus {
  public:
    // Opens the log (log_utf8, when given); false, with a message, when it
    // cannot be created. The progress bar shows either way.
    bool Open(const std::optional<std::string>& log_utf8, bool show_progress);

    void Show(const Unit1::TStatus& status);
    Unit1::TStatusSink Sink();

    // Ends the progress line and closes the log; false, with a message when
    // it was opened, when the log could not be written completely.
    bool Close();

  private:
    Platform::TFilePtr log_;
    std::string log_name_;
    bool log_failed_ = false;
    std::optional<TProgressBar> bar_;
};

} // namespace CrossrectCli
