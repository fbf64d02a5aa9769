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
    if (type == 0 || bytes.size() < PresetFileSize(type))
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
    std::vector<std::uint8_t> bytes;
    if (Result r = ReadWholeFile(path, bytes); !r)
        return r;
    return LoadPresetBytes(bytes, bank);
}

} // namespace presetor
