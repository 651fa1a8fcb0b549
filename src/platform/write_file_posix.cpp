// POSIX side of the write-back's file calls.
#ifndef _WIN32

#include <cerrno>
#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/write_file.hpp"

namespace Platform {

namespace {

constexpr mode_t kNewFileMode = 0666; // narrowed by the umask, as for any new file
constexpr mode_t kPermissionBits = 07777;

int OpenFlags(TCreate how) {
    const int common = O_WRONLY | O_CLOEXEC | O_CREAT;
    return how == TCreate::New ? common | O_EXCL : common;
}

} // namespace

TWriteFile::~TWriteFile() {
    if (fd_ >= 0) ::close(fd_);
}

bool TWriteFile::Open(const std::filesystem::path& path, TCreate how) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = ::open(path.c_str(), OpenFlags(how), kNewFileMode);
    failed_ = fd_ < 0;
    return !failed_;
}

bool TWriteFile::Write(const void* data, std::size_t size) {
    if (fd_ < 0 || failed_) return false;
    const char* bytes = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = ::write(fd_, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) {
            failed_ = true;
            return false;
        }
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool TWriteFile::Seek(uint64_t offset) {
    if (fd_ < 0 || failed_) return false;
    failed_ = ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0;
    return !failed_;
}

bool TWriteFile::Reserve(uint64_t size) {
    if (fd_ < 0 || failed_ || size == 0) return fd_ >= 0 && !failed_;
    const int error = ::posix_fallocate(fd_, 0, static_cast<off_t>(size));
    // A file system that cannot reserve is written without reservation.
    if (error == EOPNOTSUPP || error == EINVAL || error == ENOSYS) return true;
    failed_ = error != 0;
    return !failed_;
}

bool TWriteFile::SetLength(uint64_t size) {
    if (fd_ < 0 || failed_) return false;
    failed_ = ::ftruncate(fd_, static_cast<off_t>(size)) != 0;
    return !failed_;
}

bool TWriteFile::AdoptIdentityOf(const std::filesystem::path& model) {
    struct stat info {};
    if (::stat(model.c_str(), &info) != 0) return errno == ENOENT;
    if (!S_ISREG(info.st_mode) || info.st_nlink > 1) return false;
    if (fd_ < 0 || ::fchmod(fd_, info.st_mode & kPermissionBits) != 0) return false;
    if (info.st_uid == ::geteuid() && info.st_gid == ::getegid()) return true;
    // Only possible for the file's owner (group) or root; otherwise the
    // replacement would change hands, so it must not replace.
    return ::fchown(fd_, info.st_uid, info.st_gid) == 0 &&
           ::fchmod(fd_, info.st_mode & kPermissionBits) == 0;
}

bool TWriteFile::Close() {
    if (fd_ < 0) return false;
    const int fd = fd_;
    fd_ = -1;
    const bool closed = ::close(fd) == 0; // some file systems report late failures here
    return closed && !failed_;
}

bool ReplaceInOneStep(const std::filesystem::path& from, const std::filesystem::path& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

uint64_t CurrentProcessId() {
    return static_cast<uint64_t>(::getpid());
}

bool ProcessIsRunning(uint64_t process_id) {
    const auto pid = static_cast<pid_t>(process_id);
    if (pid <= 0 || static_cast<uint64_t>(pid) != process_id) return false;
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

} // namespace Platform

#endif
