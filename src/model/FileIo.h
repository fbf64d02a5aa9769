// Whole-file reading and atomic writing for the plain-C++ layers. A write goes to a temporary
// file beside the target, is flushed to disk and renamed over it, so a failed write never
// damages the file that was there.
#pragma once

#include "Result.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace presetor {

// Reads the whole file into out. On failure out is left empty and the result names the file and
// the reason.
Result ReadWholeFile(const std::string& path, std::vector<std::uint8_t>& out);

// Writes bytes to path atomically. On failure no temporary file is left behind and the existing
// file (if any) is untouched.
Result WriteFileAtomically(const std::string& path, std::span<const std::uint8_t> bytes);

} // namespace presetor
