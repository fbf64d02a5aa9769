// Whole-file reading and atomic writing over POSIX file calls.
#include "FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace presetor {

namespace {

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
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return Result::Fail(ErrorCode::IoError, Describe("Cannot write", path, errno));

    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    int err = ok ? 0 : errno;
    if (ok && ::fsync(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(temp.c_str(), path.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        return Result::Fail(ErrorCode::IoError, Describe("Cannot write", path, err));
    }
    return Result::Ok();
}

} // namespace presetor
