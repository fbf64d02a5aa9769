// Saving and loading the .lmk file image.
#include "PresetFile.h"

#include "Archive.h"
#include "FileIo.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace presetor {

namespace {

// The keyboard type a magic names, or 0 when it names none.
int TypeFromMagic(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kMagicSize)
        return 0;
    if (std::memcmp(bytes.data(), kLmk3Magic, kMagicSize) == 0)
        return kLmk3;
    if (std::memcmp(bytes.data(), kLmk4Magic, kMagicSize) == 0)
        return kLmk4;
    return 0;
}

Result Invalid() {
    return Result::Fail(ErrorCode::InvalidFile, kInvalidFileText);
}

std::string SizesText(std::size_t size) {
    return std::to_string(size) + " bytes, a preset file has " +
           std::to_string(PresetFileSize(kLmk3)) + " or " + std::to_string(PresetFileSize(kLmk4));
}

} // namespace

std::vector<std::uint8_t> SavePresetBytes(const Bank& bank) {
    WriteArchive ar;
    ar.Write(HasLmk4Fields(bank.keyboardType) ? kLmk4Magic : kLmk3Magic, kMagicSize);
    for (int i = 0; i < bank.PresetCount(); ++i) {
        // Serialize only reads from the preset when storing.
        Preset copy = bank.presets[static_cast<std::size_t>(i)];
        copy.Serialize(ar, bank.keyboardType);
    }
    return ar.Bytes();
}

Result SavePresetFile(const std::string& path, const Bank& bank) {
    const std::vector<std::uint8_t> bytes = SavePresetBytes(bank);
    return WriteFileAtomically(path, bytes);
}

Result LoadPresetBytes(std::span<const std::uint8_t> bytes, Bank& bank) {
    const int type = TypeFromMagic(bytes);
    if (bytes.size() < kMagicSize || (type != 0 && bytes.size() < PresetFileSize(type)))
        return Result::Fail(ErrorCode::InvalidFile, "too short: " + SizesText(bytes.size()));
    if (type == 0)
        return Invalid();

    // Read into a copy of the presets so that the bank is touched only once all records are in.
    auto staged = std::make_unique<std::array<Preset, kMaxPresets>>(bank.presets);
    ReadArchive ar(bytes.subspan(kMagicSize));
    for (int i = 0; i < PresetCountFor(type); ++i)
        if (!(*staged)[static_cast<std::size_t>(i)].Serialize(ar, type))
            return Invalid(); // cannot happen after the length check; kept as a guard

    for (int i = 0; i < PresetCountFor(type); ++i)
        bank.presets[static_cast<std::size_t>(i)] = (*staged)[static_cast<std::size_t>(i)];
    bank.SetKeyboardType(type);
    bank.currentPreset = 0;
    return Result::Ok();
}

Result LoadPresetFile(const std::string& path, Bank& bank) {
    // Nothing longer than the largest valid file is read; a special file is never opened.
    std::uint64_t size = 0;
    if (Result r = RegularFileSize(path, size); !r)
        return r;
    if (size > kMaxPresetFileSize)
        return Result::Fail(ErrorCode::InvalidFile,
                            "too long: " + SizesText(static_cast<std::size_t>(size)));
    std::vector<std::uint8_t> bytes;
    if (Result r = ReadWholeFile(path, bytes, kMaxPresetFileSize); !r) {
        if (r.code() == ErrorCode::TooLarge) // grew since the look
            return Result::Fail(ErrorCode::InvalidFile, "too long: more than " +
                                                            std::to_string(kMaxPresetFileSize) +
                                                            " bytes");
        return r;
    }
    return LoadPresetBytes(bytes, bank);
}

} // namespace presetor
