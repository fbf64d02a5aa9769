// Bounded reading and atomic writing of whole files for the plain-C++ layers. Reads open only
// regular files and refuse them above a size limit before reading; a write goes to a temporary
// file beside the target, is flushed and renamed over it, so the file on disk is always either
// the old or the new one, whole.
#pragma once

#include "Result.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace presetor {

// Default read limit: far above any file the program reads except sound lists.
constexpr std::size_t kDefaultReadLimit = 16u * 1024 * 1024;

// Text given (after the file name) when a save runs out of disk space.
constexpr char kNoSpaceText[] = "not enough space to save safely; the file on disk is unchanged";

// The size of a regular file (after following links). A missing file, a special file (FIFO,
// device, directory) or an unreadable one fails with IoError naming the file; nothing is opened
// that could block.
Result RegularFileSize(const std::string& path, std::uint64_t& size);

// Reads the whole regular file into out. A file larger than maxBytes fails with TooLarge before
// anything is read. On failure out is left empty and the result names the file and the reason.
Result ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out,
                     std::size_t maxBytes = kDefaultReadLimit);

// Writes bytes to path atomically. A symbolic link is followed and its target replaced; an
// existing target keeps its permissions (and, where allowed, owner and group); a read-only
// target is refused with ReadOnly; no space gives kNoSpaceText. On failure no temporary file is
// left behind and the existing file is untouched. Temporary files of earlier saves in the same
// folder whose program is no longer running are removed first.
Result WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

// Makes a write past the process's file-size limit fail with an error (reported like a full
// disk) instead of ending the program with SIGXFSZ. Called once at program start.
void ReportFileSizeLimitAsError();

// The name of the temporary file a save of path uses: "<path>.presetor-save-<pid>-<n>.tmp".
std::string TemporarySaveName(const std::string& path, long pid, unsigned n);

// True when name (without folder) is a temporary save file as TemporarySaveName makes them;
// pid then holds the process that made it.
bool IsTemporarySaveName(const std::string& name, long& pid);

} // namespace presetor
