// Whole-file reading and atomic writing over POSIX file calls (their MinGW counterparts and
// MoveFileEx on Windows, where rename does not replace an existing file).
#include "FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace presetor {

namespace {

#ifdef _WIN32
// Binary mode: the C runtime would otherwise turn every 0x0A byte into 0x0D 0x0A.
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_BINARY | O_NOINHERIT;

int FlushToDisk(int fd) {
    return ::_commit(fd);
}

// Renames temp over path, replacing it; returns 0 or an errno value.
int ReplaceWith(const std::string& temp, const std::string& path) {
    if (::MoveFileExA(temp.c_str(), path.c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    switch (::GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
        return EACCES;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_DISK_FULL:
        return ENOSPC;
    default:
        return EIO;
    }
}
#else
constexpr int kCreateFlags = O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC;

int FlushToDisk(int fd) {
    return ::fsync(fd);
}

int ReplaceWith(const std::string& temp, const std::string& path) {
    return std::rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
}
#endif

std::string Describe(const char* what, const std::string& path, int err) {
    return std::string(what) + " '" + path + "': " + std::strerror(err);
}

// Writes all bytes, retrying short writes and interruptions.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

} // namespace

Result ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out) {
    out.clear();
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        return Result::Fail(ErrorCode::IoError, Describe("Cannot open", path, errno));
    std::vector<std::uint8_t> bytes;
    std::uint8_t chunk[65536];
    for (;;) {
        const std::size_t n = std::fread(chunk, 1, sizeof chunk, f);
        bytes.insert(bytes.end(), chunk, chunk + n);
        if (n < sizeof chunk)
            break;
    }
    const bool failed = std::ferror(f) != 0;
    const int err = errno;
    std::fclose(f);
    if (failed)
        return Result::Fail(ErrorCode::IoError, Describe("Cannot read", path, err ? err : EIO));
    out = std::move(bytes);
    return Result::Ok();
}

Result WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    // A unique name beside the target, so that the rename stays on one file system. Created with
    // O_EXCL and mode 0666, so the user's umask decides the final permissions.
    static unsigned counter = 0;
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
        fd = ::open(temp.c_str(), kCreateFlags, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Result::Fail(ErrorCode::IoError, Describe("Cannot write", path, errno));

    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    int err = ok ? 0 : errno;
    if (ok && FlushToDisk(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        err = ReplaceWith(temp, path);
        ok = err == 0;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return Result::Fail(ErrorCode::IoError, Describe("Cannot write", path, err));
    }
    return Result::Ok();
}

} // namespace presetor
