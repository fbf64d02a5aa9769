// Bounded whole-file reading and atomic writing over POSIX file calls (their MinGW counterparts and
// MoveFileEx on Windows, where rename does not replace an existing file).
#include "FileIo.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <dirent.h>
#include <signal.h>
#endif

#ifndef O_CLOEXEC
#define O_CLOEXEC 0
#endif
#ifndef O_NOCTTY
#define O_NOCTTY 0
#endif
#ifndef O_NONBLOCK
#define O_NONBLOCK 0
#endif
#ifndef O_BINARY
#define O_BINARY 0 // Windows: without it every 0x0A byte written would become 0x0D 0x0A
#endif
#ifndef O_NOINHERIT
#define O_NOINHERIT 0
#endif

namespace presetor {

namespace {

#ifdef _WIN32
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
int FlushToDisk(int fd) {
    return ::fsync(fd);
}

int ReplaceWith(const std::string& temp, const std::string& path) {
    return std::rename(temp.c_str(), path.c_str()) == 0 ? 0 : errno;
}
#endif

constexpr char kTempMarker[] = ".presetor-save-";
constexpr char kTempSuffix[] = ".tmp";

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

Result Fail(ErrorCode code, const char* what, const std::string& path, const std::string& why) {
    return Result::Fail(code, std::string(what) + " " + Quoted(path) + ": " + why);
}

Result FailErrno(const char* what, const std::string& path, int err) {
    return Fail(ErrorCode::IoError, what, path, std::strerror(err));
}

// What kind of file a mode names, for "is not a regular file" messages.
const char* KindOf(mode_t mode) {
    if (S_ISDIR(mode))
        return "it is a folder, not a file";
#ifdef S_ISFIFO
    if (S_ISFIFO(mode))
        return "it is a pipe (FIFO), not a regular file";
#endif
    if (S_ISCHR(mode))
        return "it is a device, not a regular file";
#ifdef S_ISBLK
    if (S_ISBLK(mode))
        return "it is a device, not a regular file";
#endif
    return "it is not a regular file";
}

// Writes all bytes, retrying short writes and interruptions.
bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const auto n = ::write(fd, data, static_cast<unsigned>(size));
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

bool IsNoSpace(int err) {
    return err == ENOSPC || err == EFBIG
#ifdef EDQUOT
           || err == EDQUOT
#endif
        ;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Follows symbolic links from path to the file they finally name (which need not exist yet).
// Relative link contents are taken relative to the link's folder.
bool FollowLinks(const std::string& path, std::string& target, int& err) {
    target = path;
#ifndef _WIN32
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0) {
            if (errno == ENOENT)
                return true; // a new file, or a dangling link's target
            err = errno;
            return false;
        }
        if (!S_ISLNK(st.st_mode))
            return true;
        std::string content(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = ::readlink(target.c_str(), content.data(), content.size());
        if (n < 0) {
            err = errno;
            return false;
        }
        content.resize(static_cast<std::size_t>(n));
        if (!content.empty() && content.front() == '/')
            target = content;
        else if (target.find('/') == std::string::npos)
            target = content;
        else
            target = FolderOf(target) + "/" + content;
    }
    err = ELOOP;
    return false;
#else
    (void)err;
    return true;
#endif
}

#ifndef _WIN32
// Earlier versions named a preset file's temporary "<name>.lmk.tmp<pid>-<n>".
bool IsEarlierTemporaryName(const std::string& name, long& pid) {
    const std::size_t marker = name.rfind(".lmk.tmp");
    if (marker == std::string::npos || marker == 0)
        return false;
    const std::string rest = name.substr(marker + 8);
    const std::size_t dash = rest.find('-');
    if (dash == std::string::npos || dash == 0 || dash > 9 || dash + 1 == rest.size())
        return false;
    for (std::size_t i = 0; i < rest.size(); ++i)
        if (i != dash && (rest[i] < '0' || rest[i] > '9'))
            return false;
    pid = std::stol(rest.substr(0, dash));
    return true;
}
#endif

// Removes temporary save files in folder that processes no longer running left behind (a save
// killed between creating and renaming its temporary file).
void RemoveStaleTemporaries(const std::string& folder) {
#ifndef _WIN32
    DIR* d = ::opendir(folder.c_str());
    if (!d)
        return;
    const long self = static_cast<long>(::getpid());
    while (const dirent* e = ::readdir(d)) {
        long pid = 0;
        const std::string name = e->d_name;
        if (!(IsTemporarySaveName(name, pid) || IsEarlierTemporaryName(name, pid)) || pid == self ||
            pid <= 0)
            continue;
        if (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM)
            continue; // the saving program is still running
        const std::string full = folder + "/" + name;
        struct stat st {};
        if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            ::unlink(full.c_str());
    }
    ::closedir(d);
#else
    (void)folder;
#endif
}

void SyncFolder(const std::string& folder) {
#if !defined(_WIN32) && defined(O_DIRECTORY)
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
#else
    (void)folder;
#endif
}

} // namespace

void ReportFileSizeLimitAsError() {
#ifdef SIGXFSZ
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

std::string TemporarySaveName(const std::string& path, long pid, unsigned n) {
    return path + kTempMarker + std::to_string(pid) + "-" + std::to_string(n) + kTempSuffix;
}

bool IsTemporarySaveName(const std::string& name, long& pid) {
    const std::size_t suffixSize = sizeof kTempSuffix - 1;
    if (name.size() <= suffixSize ||
        name.compare(name.size() - suffixSize, suffixSize, kTempSuffix) != 0)
        return false;
    const std::size_t marker = name.rfind(kTempMarker);
    if (marker == std::string::npos || marker == 0)
        return false;
    const std::string middle =
        name.substr(marker + sizeof kTempMarker - 1,
                    name.size() - suffixSize - marker - sizeof kTempMarker + 1); // "<pid>-<n>"
    const std::size_t dash = middle.find('-');
    if (dash == std::string::npos || dash == 0 || dash + 1 == middle.size() || dash > 9)
        return false;
    for (std::size_t i = 0; i < middle.size(); ++i)
        if (i != dash && (middle[i] < '0' || middle[i] > '9'))
            return false;
    pid = std::stol(middle.substr(0, dash));
    return true;
}

Result RegularFileSize(const std::string& path, std::uint64_t& size) {
    size = 0;
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return FailErrno("Cannot open", path, errno);
    if (!S_ISREG(st.st_mode))
        return Fail(ErrorCode::IoError, "Cannot open", path, KindOf(st.st_mode));
    size = static_cast<std::uint64_t>(st.st_size);
    return Result::Ok();
}

Result ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                     std::size_t maxBytes) {
    out.clear();
    // Look before opening: opening a FIFO or a device may block or have side effects.
    std::uint64_t size = 0;
    if (Result r = RegularFileSize(path, size); !r)
        return r;
    if (size > maxBytes)
        return Fail(ErrorCode::TooLarge, "Cannot open", path,
                    "the file is too large (" + std::to_string(size) + " bytes, at most " +
                        std::to_string(maxBytes) + ")");

    // Non-blocking, in case the file was replaced by a special file since the look.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK | O_BINARY);
    if (fd < 0)
        return FailErrno("Cannot open", path, errno);
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int err = errno;
        ::close(fd);
        return S_ISREG(st.st_mode)
                   ? FailErrno("Cannot open", path, err)
                   : Fail(ErrorCode::IoError, "Cannot open", path, KindOf(st.st_mode));
    }

    // Read at most one byte more than allowed, so a file that grew is noticed, not read whole.
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(st.st_size) < maxBytes
                                        ? static_cast<std::size_t>(st.st_size) + 1
                                        : maxBytes + 1);
    std::size_t filled = 0;
    int err = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() > maxBytes)
                break;
            bytes.resize(std::min(maxBytes + 1, bytes.size() * 2));
        }
        const auto n =
            ::read(fd, bytes.data() + filled, static_cast<unsigned>(bytes.size() - filled));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            err = errno;
            break;
        }
        if (n == 0)
            break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (err != 0)
        return FailErrno("Cannot read", path, err);
    if (filled > maxBytes)
        return Fail(ErrorCode::TooLarge, "Cannot open", path,
                    "the file is too large (more than " + std::to_string(maxBytes) + " bytes)");
    bytes.resize(filled); // keeps the one spare byte: no second copy of the file
    out = std::move(bytes);
    return Result::Ok();
}

Result WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes) {
    // Through a symbolic link the link stays and its target is replaced.
    std::string target;
    int err = 0;
    if (!FollowLinks(path, target, err))
        return FailErrno("Cannot save", path, err);

    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (!S_ISREG(old.st_mode))
            return Fail(ErrorCode::IoError, "Cannot save", path, KindOf(old.st_mode));
        // The permission bits decide, not only access(): an administrator may write anything.
        if ((old.st_mode & 0222) == 0 || (::access(target.c_str(), W_OK) != 0 && errno != ENOENT))
            return Fail(ErrorCode::ReadOnly, "Cannot save", path, "the file is read-only");
    } else if (errno != ENOENT) {
        return FailErrno("Cannot save", path, errno);
    }

    const std::string folder = FolderOf(target);
    RemoveStaleTemporaries(folder);

    // A unique name beside the target, so that the rename stays on one file system. Created
    // with O_EXCL, so an existing file of that name is never touched.
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporarySaveName(target, static_cast<long>(::getpid()), counter++);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_BINARY | O_NOINHERIT,
                    0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        err = errno;
        return IsNoSpace(err) ? Fail(ErrorCode::NoSpace, "Cannot save", path, kNoSpaceText)
                              : FailErrno("Cannot save", path, err);
    }

#ifndef _WIN32
    if (exists) {
        // Keep the replaced file's owner, group (where allowed) and permissions.
        if ((old.st_uid != ::geteuid() || old.st_gid != ::getegid()) &&
            ::fchown(fd, old.st_uid, old.st_gid) != 0) {
            // Not allowed to give the file away: it stays ours, with the old permissions.
        }
        ::fchmod(fd, old.st_mode & 07777);
    }
#endif

    bool ok = WriteAll(fd, bytes.data(), bytes.size());
    err = ok ? 0 : errno;
    if (ok && FlushToDisk(fd) != 0) {
        ok = false;
        err = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok) {
        err = ReplaceWith(temp, target);
        ok = err == 0;
    }
    if (!ok) {
        ::unlink(temp.c_str());
        if (IsNoSpace(err))
            return Fail(ErrorCode::NoSpace, "Cannot save", path,
                        std::string(kNoSpaceText) + " (" + std::strerror(err) + ")");
        return FailErrno("Cannot save", path, err);
    }
    SyncFolder(folder);
    return Result::Ok();
}

} // namespace presetor
