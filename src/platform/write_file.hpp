// Platform: files opened for writing through the system's own calls, so that
// creation, sharing and replacement are exactly what the write-back needs
// (the C library can express none of them), and the few process facts the
// clean-up of abandoned temporary files needs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace Platform {

enum class TCreate {
    New,     // a new entry; fails when the name exists
    InPlace, // the existing file as it is (keeping its identity), or a new one
};

// One file open for writing. Other processes may read it meanwhile.
class TWriteFile {
  public:
    TWriteFile() = default;
    ~TWriteFile(); // closes without reporting
    TWriteFile(const TWriteFile&) = delete;
    TWriteFile& operator=(const TWriteFile&) = delete;

    bool Open(const std::filesystem::path& path, TCreate how);
    // Writes at the current position, which Seek moves.
    bool Write(const void* data, std::size_t size);
    bool Seek(uint64_t offset);
    // Makes room for size bytes where the system can, so that a full disk
    // fails here rather than part-way; a file only ever grows by this.
    bool Reserve(uint64_t size);
    bool SetLength(uint64_t size);
    // Gives this (new) file the permissions and owner of model, so that it
    // can take model's place unnoticed. False where that is impossible: the
    // owner cannot be given, or model has further hard links that a
    // replacement would cut off. A missing model asks for nothing.
    bool AdoptIdentityOf(const std::filesystem::path& model);
    // True when every byte written has reached the system and it closed.
    bool Close();

  private:
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    int fd_ = -1;
#endif
    bool failed_ = false;
};

// Moves from over to in one step, so that a reader sees either the old
// file or the complete new one. to may be missing.
bool ReplaceInOneStep(const std::filesystem::path& from, const std::filesystem::path& to);

uint64_t CurrentProcessId();
bool ProcessIsRunning(uint64_t process_id);

} // namespace Platform
