#include "cli/run_status.hpp"

#include <cstdio>

namespace CrossrectCli {

bool TRunStatus::Open(const std::optional<std::filesystem::path>& log_path, bool show_progress) {
    if (show_progress) bar_.emplace(stderr);
    if (!log_path) return true;
    log_ = Platform::OpenFile(*log_path, "wb");
    log_failed_ = !log_;
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
    return ok;
}

} // namespace CrossrectCli
