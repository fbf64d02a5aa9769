// The byte archive that preset records are written to and read from: an in-memory
// buffer for storing, a bounded view for loading. Reads never run past the end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace presetor {

class Archive {
public:
    virtual ~Archive() = default;
    virtual bool IsLoading() const = 0;
    // Reads up to n bytes; returns how many were read (fewer only at the end of the data).
    virtual std::size_t Read(void* to, std::size_t n) = 0;
    virtual void Write(const void* from, std::size_t n) = 0;
};

// Collects written bytes in memory; the file layer writes them out in one go.
class WriteArchive final : public Archive {
public:
    bool IsLoading() const override { return false; }
    std::size_t Read(void*, std::size_t) override { return 0; }
    void Write(const void* from, std::size_t n) override;
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

// Reads from a span of bytes that the caller keeps alive.
class ReadArchive final : public Archive {
public:
    explicit ReadArchive(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    bool IsLoading() const override { return true; }
    std::size_t Read(void* to, std::size_t n) override;
    void Write(const void*, std::size_t) override {}
    std::size_t Remaining() const { return bytes_.size() - pos_; }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

} // namespace presetor
