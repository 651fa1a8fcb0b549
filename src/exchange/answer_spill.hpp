// JwwGaibu: the answer written while the run goes on. The output buffer
// hands its text, in order and already in the file's own form, to a
// temporary file beside the exchange file; at close that file takes the
// exchange file's place in one step. So memory stays bounded however large
// the answer, and the host still finds it only when it is complete.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "exchange/output_lines.hpp"
#include "exchange/safe_save.hpp"
#include "platform/write_file.hpp"

namespace JwwGaibu {

class TBlockSink;

// Writes the held entries in the file's form: each followed by CR LF, except
// that an entry ending in a double quote runs on into the next one (a line
// longer than one entry). joining carries that state from call to call.
bool WriteEntries(const TOutputLines& lines, TByteSink& sink, bool& joining);

class TAnswerSpill final : public TLineSpill {
  public:
    TAnswerSpill();
    ~TAnswerSpill(); // removes the temporary file unless it became the answer
    TAnswerSpill(const TAnswerSpill&) = delete;
    TAnswerSpill& operator=(const TAnswerSpill&) = delete;

    // False where no temporary file can be made beside target.
    bool Start(const std::filesystem::path& target);
    bool Take(const TOutputLines& lines) override;

    // Completes the answer with the entries lines still holds and puts it at
    // path: by replacement where path is the target and that is allowed,
    // else by a rewrite in place from the temporary file.
    TSaveResult Finish(const TOutputLines& lines, const std::filesystem::path& path);

  private:
    bool CopyAnswer(const TOutputLines& lines, bool with_held, TByteSink& sink) const;

    std::filesystem::path target_; // as given
    std::filesystem::path real_;   // the file a replacement takes the place of
    std::filesystem::path temp_;
    Platform::TWriteFile file_;
    std::unique_ptr<TBlockSink> sink_;
    uint64_t good_bytes_ = 0;   // whole lines of the answer in the temporary file
    bool good_joining_ = false; // the joining state at that point
    bool broken_ = false;       // a write failed: the rest stays in memory
};

} // namespace JwwGaibu
