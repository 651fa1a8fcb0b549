#include "cli/run_status.hpp"

#include <cstdio>

#include "cli/cli_paths.hpp"
#include "cli/console_text.hpp"

namespace CrossrectCli {

namespace {

void TellLogFailed(const char* what, const std::string& log_name) {
    PrintMessage("crossrect-cli: could not " + std::string(what) + " " + log_name +
                 "; the answer is written all the same");
}

} // namespace

bool TRunStatus::Open(const std::optional<std::string>& log_utf8, bool show_progress) {
    if (show_progress) bar_.emplace(stderr);
    if (!log_utf8) return true;
    log_name_ = *log_utf8;
    log_ = Platform::OpenFile(PathFromUtf8(log_name_), "wb");
    log_failed_ = !log_;
    if (log_failed_) TellLogFailed("create", log_name_);
    return !log_failed_;
}

void TRunStatus::Show(const Unit1::TStatus& status) {
    if (log_ && !log_failed_) {
        bool ok = std::fwrite(status.Text.data(), 1, status.Text.size(), log_.get()) ==
                      status.Text.size() &&
                  std::fputc('\n', log_.get()) != EOF;
        log_failed_ = !ok;
    }
    if (bar_) bar_->Show(status);
}

Unit1::TStatusSink TRunStatus::Sink() {
    return [this](const Unit1::TStatus& status) { Show(status); };
}

bool TRunStatus::Close() {
    if (bar_) bar_->Finish();
    if (!log_) return !log_failed_;
    bool ok = !log_failed_ && std::fflush(log_.get()) == 0 && std::ferror(log_.get()) == 0;
    ok = std::fclose(log_.release()) == 0 && ok;
    if (!ok) TellLogFailed("write", log_name_);
    return ok;
}

} // namespace CrossrectCli
