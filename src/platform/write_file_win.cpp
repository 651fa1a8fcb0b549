// Windows side of the write-back's file calls. Virus scanners and indexers
// keep files open while sharing reading and writing but not deletion, so a
// replacement can be refused where an in-place rewrite still works; the
// share modes here let such readers in.
#ifdef _WIN32

// The narrow Win32 headers need windef.h and winbase.h first.
// clang-format off
#include <windef.h>
#include <winbase.h>
#include <fileapi.h>
#include <handleapi.h>
#include <processthreadsapi.h>
// clang-format on

#include "platform/write_file.hpp"

namespace Platform {

namespace {

// Other programs may read (and, for the in-place rewrite, write) meanwhile.
constexpr DWORD kShareNew = FILE_SHARE_READ;
constexpr DWORD kShareExisting = FILE_SHARE_READ | FILE_SHARE_WRITE;
// Largest piece one WriteFile call takes.
constexpr std::size_t kMaxWriteCall = std::size_t{1} << 30;

HANDLE AsHandle(void* handle) {
    return handle ? static_cast<HANDLE>(handle) : INVALID_HANDLE_VALUE;
}

bool MoveTo(HANDLE file, uint64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != 0;
}

// Keeps the replaced file's attributes, security and creation time.
bool ReplaceKeepingAttributes(const std::filesystem::path& replaced,
                              const std::filesystem::path& by) {
    return ReplaceFileW(replaced.c_str(), by.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                        nullptr, nullptr) != 0;
}

// A replacement needs the right to delete the old file; asked first, since
// a refused ReplaceFileW can leave temporary files of its own behind.
bool HeldWithoutDeleteSharing(const std::filesystem::path& path) {
    HANDLE file =
        CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_SHARING_VIOLATION;
    CloseHandle(file);
    return false;
}

} // namespace

TWriteFile::~TWriteFile() {
    if (handle_) CloseHandle(AsHandle(handle_));
}

bool TWriteFile::Open(const std::filesystem::path& path, TCreate how) {
    if (handle_) CloseHandle(AsHandle(handle_));
    handle_ = nullptr;
    const bool fresh = how == TCreate::New;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, fresh ? kShareNew : kShareExisting, nullptr,
                    fresh ? CREATE_NEW : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    failed_ = file == INVALID_HANDLE_VALUE;
    if (failed_) return false;
    handle_ = file;
    return true;
}

bool TWriteFile::Write(const void* data, std::size_t size) {
    if (!handle_ || failed_) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD piece = static_cast<DWORD>(size < kMaxWriteCall ? size : kMaxWriteCall);
        DWORD written = 0;
        if (!WriteFile(AsHandle(handle_), bytes, piece, &written, nullptr) || written == 0) {
            failed_ = true;
            return false;
        }
        bytes += written;
        size -= written;
    }
    return true;
}

bool TWriteFile::Seek(uint64_t offset) {
    if (!handle_ || failed_) return false;
    failed_ = !MoveTo(AsHandle(handle_), offset);
    return !failed_;
}

// The file is lengthened (its clusters allocated, a full disk refusing)
// only where it is shorter; the position goes back to the start.
bool TWriteFile::Reserve(uint64_t size) {
    if (!handle_ || failed_) return false;
    LARGE_INTEGER current{};
    if (!GetFileSizeEx(AsHandle(handle_), &current)) return true;
    if (static_cast<uint64_t>(current.QuadPart) >= size) return true;
    failed_ = !SetLength(size) || !MoveTo(AsHandle(handle_), 0);
    return !failed_;
}

bool TWriteFile::SetLength(uint64_t size) {
    if (!handle_ || failed_) return false;
    failed_ = !MoveTo(AsHandle(handle_), size) || !SetEndOfFile(AsHandle(handle_));
    return !failed_;
}

// ReplaceFileW carries attributes and security over by itself; what it
// cannot keep is a hard link to the old file.
bool TWriteFile::AdoptIdentityOf(const std::filesystem::path& model) {
    HANDLE file =
        CreateFileW(model.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info);
    CloseHandle(file);
    return known && info.nNumberOfLinks <= 1;
}

bool TWriteFile::Close() {
    if (!handle_) return false;
    HANDLE file = AsHandle(handle_);
    handle_ = nullptr;
    const bool closed = CloseHandle(file) != 0;
    return closed && !failed_;
}

bool ReplaceInOneStep(const std::filesystem::path& from, const std::filesystem::path& to) {
    const DWORD attributes = GetFileAttributesW(to.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
    if (HeldWithoutDeleteSharing(to)) return false;
    if (ReplaceKeepingAttributes(to, from)) return true;
    // A read-only file refuses to be replaced; the new one gets the mark back.
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0 || GetLastError() != ERROR_ACCESS_DENIED)
        return false;
    if (!SetFileAttributesW(to.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY)) return false;
    const bool replaced = ReplaceKeepingAttributes(to, from);
    SetFileAttributesW(to.c_str(), attributes);
    return replaced;
}

uint64_t CurrentProcessId() {
    return GetCurrentProcessId();
}

bool ProcessIsRunning(uint64_t process_id) {
    if (process_id == 0 || process_id > 0xFFFFFFFFu) return false;
    HANDLE process =
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(process_id));
    if (!process) return GetLastError() == ERROR_ACCESS_DENIED; // there, but not ours to query
    DWORD code = 0;
    const bool running = GetExitCodeProcess(process, &code) && code == STILL_ACTIVE;
    CloseHandle(process);
    return running;
}

} // namespace Platform

#endif
