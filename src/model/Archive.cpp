// Byte archives over memory.
#include "Archive.h"

#include <algorithm>
#include <cstring>

namespace presetor {

void WriteArchive::Write(const void* from, std::size_t n) {
    const auto* p = static_cast<const std::uint8_t*>(from);
    bytes_.insert(bytes_.end(), p, p + n);
}

std::size_t ReadArchive::Read(void* to, std::size_t n) {
    const std::size_t take = std::min(n, bytes_.size() - pos_);
    if (take > 0)
        std::memcpy(to, bytes_.data() + pos_, take);
    pos_ += take;
    return take;
}

} // namespace presetor
