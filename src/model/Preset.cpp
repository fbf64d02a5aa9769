// Preset defaults, copying, names, clamped setters and the .lmk record.
#include "Preset.h"

#include "Archive.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace presetor {

namespace {

constexpr char kFactoryName[] = "INITPRES";
constexpr std::array<std::uint8_t, kControllerCount> kFactoryCtrlAssign = {0, 2, 2, 6, 4, 1, 7, 5};
constexpr std::array<std::uint8_t, kSwitchCount> kFactorySwitchAssign = {0, 4};

// Record order of ctrlAssign, as places in the defaults sheet's controller order.
constexpr std::array<int, kControllerCount> kRecordFromSheet = {
    kDefWheel1, kDefWheel2,     kDefExtern2, kDefExtern1,
    kDefSlide1, kDefAftertouch, kDefSlide2,  kDefDataEntry};

bool IsTrailingSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

Preset::Preset() {
    Init(nullptr, 0);
}

void Preset::Init(const PresetDefaults* userDefaults, int ownIndex) {
    lowKey.fill(0);
    highKey.fill(0);
    transpose.fill(0);
    midiChannel.fill(0);
    programNumber.fill(0);
    aftertouchCurve.fill(0);
    velocityCurve.fill(0);
    ctrlMatrix.fill(0);
    ctrlAssign.fill(0);
    switchMatrix.fill(0);
    switchAssign.fill(0);
    programActive.fill(0);
    volume.fill(0);
    volumeActive.fill(0);
    userCtrlNumber.fill(0);
    bankMsb.fill(0);
    bankLsb.fill(0);
    inputMode.fill(0);
    slowVelocityZero.fill(0);
    midiOut1.fill(1);
    midiOut2.fill(1);

    lowKey[0] = 21;
    highKey[0] = 108;
    for (int s = 0; s < kSplitCount; ++s)
        midiChannel[s] = static_cast<std::uint8_t>(s);

    if (userDefaults) {
        // The stored name may be shorter than 8 (the sheet keeps it as typed) or lack its
        // terminator (outside bytes); pad like SetName does and never read past 9 bytes.
        const char* dn = userDefaults->name;
        const std::size_t len = strnlen(dn, kNameLength);
        SetName(std::string_view(dn, len));
        for (int c = 0; c < kControllerCount; ++c)
            ctrlAssign[c] = userDefaults->ctrlFunctions[kRecordFromSheet[c]];
        switchAssign[0] = userDefaults->switchFunctions[0];
        switchAssign[1] = userDefaults->switchFunctions[1];
        realtimeMode = static_cast<std::uint8_t>(userDefaults->realtimeMode);
        masterChannel = static_cast<std::uint8_t>(userDefaults->masterChannel);
        midiClock = static_cast<std::uint8_t>(userDefaults->midiClock);
        presetSwitch = static_cast<std::uint8_t>(userDefaults->presetSwitch);
        linkPreset = userDefaults->linkPreset == kLinkToSelf
                         ? static_cast<std::uint8_t>(ownIndex)
                         : static_cast<std::uint8_t>(userDefaults->linkPreset);
    } else {
        std::memcpy(name, kFactoryName, sizeof name);
        ctrlAssign = kFactoryCtrlAssign;
        switchAssign = kFactorySwitchAssign;
        realtimeMode = 0;
        masterChannel = 0;
        midiClock = 25;
        linkPreset = 0;
        presetSwitch = 0;
    }
}

void Preset::CopyFrom(const Preset& other) {
    if (this == &other)
        return;
    lowKey = other.lowKey;
    highKey = other.highKey;
    transpose = other.transpose;
    midiChannel = other.midiChannel;
    velocityCurve = other.velocityCurve;
    aftertouchCurve = other.aftertouchCurve;
    ctrlMatrix = other.ctrlMatrix;
    ctrlAssign = other.ctrlAssign;
    switchMatrix = other.switchMatrix;
    switchAssign = other.switchAssign;
    std::memcpy(name, other.name, sizeof name);
    programNumber = other.programNumber;
    programActive = other.programActive;
    volume = other.volume;
    volumeActive = other.volumeActive;
    userCtrlNumber = other.userCtrlNumber;
    midiClock = other.midiClock;
    linkPreset = other.linkPreset;
    masterChannel = other.masterChannel;
    realtimeMode = other.realtimeMode;
    bankMsb = other.bankMsb;
    bankLsb = other.bankLsb;
    midiOut1 = other.midiOut1;
    midiOut2 = other.midiOut2;
    inputMode = other.inputMode;
    slowVelocityZero = other.slowVelocityZero;
    presetSwitch = other.presetSwitch;
}

bool Preset::SameData(const Preset& o) const {
    return lowKey == o.lowKey && highKey == o.highKey && transpose == o.transpose &&
           midiChannel == o.midiChannel && velocityCurve == o.velocityCurve &&
           aftertouchCurve == o.aftertouchCurve && ctrlMatrix == o.ctrlMatrix &&
           ctrlAssign == o.ctrlAssign && switchMatrix == o.switchMatrix &&
           switchAssign == o.switchAssign && std::memcmp(name, o.name, sizeof name) == 0 &&
           programNumber == o.programNumber && programActive == o.programActive &&
           volume == o.volume && volumeActive == o.volumeActive &&
           userCtrlNumber == o.userCtrlNumber && midiClock == o.midiClock &&
           linkPreset == o.linkPreset && masterChannel == o.masterChannel &&
           realtimeMode == o.realtimeMode && bankMsb == o.bankMsb && bankLsb == o.bankLsb &&
           midiOut1 == o.midiOut1 && midiOut2 == o.midiOut2 && inputMode == o.inputMode &&
           slowVelocityZero == o.slowVelocityZero && presetSwitch == o.presetSwitch;
}

const std::string& Preset::GetName() const {
    std::size_t len = strnlen(name, kNameLength);
    while (len > 0 && IsTrailingSpace(name[len - 1]))
        --len;
    nameCache.assign(name, len);
    return nameCache;
}

void Preset::SetName(std::string_view text) {
    while (!text.empty() && IsTrailingSpace(text.back()))
        text.remove_suffix(1);
    const std::size_t keep = std::min<std::size_t>(text.size(), kNameLength);
    std::memset(name, ' ', kNameLength);
    std::memcpy(name, text.data(), keep);
    name[kNameLength] = '\0';
}

void Preset::SetMidiClock(int bpm) {
    if (bpm > 254)
        midiClock = 127;
    else if (bpm < 50)
        midiClock = 25;
    else
        midiClock = static_cast<std::uint8_t>(bpm / 2);
}

void Preset::SetTranspose(int s, int v) {
    v &= 0xFF;
    if (v <= 63 || (v >= 129 && v <= 191))
        transpose[s] = static_cast<std::uint8_t>(v);
    else if (v <= 127)
        transpose[s] = 63;
    else if (v == 128)
        transpose[s] = 0;
    else
        transpose[s] = 191;
}

bool Preset::Serialize(Archive& ar, int keyboardType) {
    // Each entry is one field of the record, in file order.
    struct Field {
        void* data;
        std::size_t size;
    };
    const Field common[] = {
        {name, sizeof name},         {lowKey.data(), 8},       {highKey.data(), 8},
        {transpose.data(), 8},       {midiChannel.data(), 8},  {velocityCurve.data(), 8},
        {aftertouchCurve.data(), 8}, {ctrlMatrix.data(), 8},   {ctrlAssign.data(), 8},
        {switchMatrix.data(), 8},    {switchAssign.data(), 2}, {programNumber.data(), 8},
        {programActive.data(), 8},   {volume.data(), 8},       {volumeActive.data(), 8},
        {userCtrlNumber.data(), 8},  {&midiClock, 1},          {&linkPreset, 1},
        {&masterChannel, 1},         {&realtimeMode, 1},       {bankMsb.data(), 8},
        {bankLsb.data(), 8},
    };
    const Field lmk4Only[] = {
        {midiOut1.data(), 8},         {midiOut2.data(), 8}, {inputMode.data(), 8},
        {slowVelocityZero.data(), 8}, {&presetSwitch, 1},
    };
    auto transfer = [&ar](const Field& f) {
        if (ar.IsLoading())
            return ar.Read(f.data, f.size) == f.size;
        ar.Write(f.data, f.size);
        return true;
    };
    for (const Field& f : common)
        if (!transfer(f))
            return false;
    if (HasLmk4Fields(keyboardType))
        for (const Field& f : lmk4Only)
            if (!transfer(f))
                return false;
    return true;
}

std::string PresetPositionText(int index) {
    char text[32];
    std::snprintf(text, sizeof text, "%d.%d (%d)", index / 8 + 1, index % 8 + 1, index + 1);
    return text;
}

std::string PresetTitleText(const Preset& preset, int index) {
    return preset.GetName() + " - " + PresetPositionText(index);
}

int ParsePresetPosition(std::string_view text, int presetCount) {
    // The shown texts end in "(serial)": that number decides.
    const auto open = text.rfind('(');
    if (open != std::string_view::npos) {
        const auto close = text.find(')', open);
        if (close == std::string_view::npos)
            return -1;
        text = text.substr(open + 1, close - open - 1);
    }
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    // Up to two numbers joined by one dot, digits only.
    int numbers[2] = {0, 0};
    int count = 0;
    bool digits = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            if (count == 0)
                count = 1;
            int& n = numbers[count - 1];
            if (n > 1000)
                return -1;
            n = n * 10 + (c - '0');
            digits = true;
        } else if (c == '.' && count == 1 && digits) {
            count = 2;
            digits = false;
        } else {
            return -1;
        }
    }
    if (count == 0 || !digits)
        return -1;
    int index = -1;
    if (count == 1) {
        index = numbers[0] - 1;
    } else if (numbers[0] >= 1 && numbers[1] >= 1 && numbers[1] <= 8) {
        index = (numbers[0] - 1) * 8 + numbers[1] - 1;
    }
    return index >= 0 && index < presetCount ? index : -1;
}

} // namespace presetor
