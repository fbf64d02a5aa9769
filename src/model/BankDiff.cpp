// The field table of the comparison. Each field names the bytes it stands for and how the page
// shows them, so comparing, showing and copying follow one list.
#include "BankDiff.h"

#include "PresetTexts.h"

#include <algorithm>
#include <functional>

namespace presetor {

namespace {

using ByteOf = std::function<std::uint8_t&(Preset&)>;

struct Field {
    std::string name;
    std::vector<ByteOf> bytes;
    std::function<std::string(const Preset&)> show;
};

// Reading a field goes through the same byte accessors as copying; they never write.
std::uint8_t Read(const ByteOf& byte, const Preset& p) {
    return byte(const_cast<Preset&>(p));
}

std::string OnOff(int value) {
    return value ? "on" : "off";
}

std::string Signed(int value) {
    return value > 0 ? "+" + std::to_string(value) : std::to_string(value);
}

void AddGlobal(std::vector<Field>& f, int type) {
    const std::string g = "Global: ";
    Field name{g + "Name", {}, [](const Preset& p) { return p.GetName(); }};
    for (int i = 0; i < kNameLength; ++i)
        name.bytes.push_back(
            [i](Preset& p) -> std::uint8_t& { return reinterpret_cast<std::uint8_t&>(p.name[i]); });
    f.push_back(std::move(name));
    f.push_back({g + "Link to Preset",
                 {[](Preset& p) -> std::uint8_t& { return p.linkPreset; }},
                 [](const Preset& p) { return PresetPositionText(p.linkPreset); }});
    f.push_back({g + "MIDI-Masterchannel",
                 {[](Preset& p) -> std::uint8_t& { return p.masterChannel; }},
                 [](const Preset& p) { return std::to_string(p.GetMasterChannel()); }});
    if (HasLmk4Fields(type))
        f.push_back({g + "Presetswitch",
                     {[](Preset& p) -> std::uint8_t& { return p.presetSwitch; }},
                     [](const Preset& p) { return PresetSwitchText(p.presetSwitch); }});
    f.push_back({g + "Midi-Clock",
                 {[](Preset& p) -> std::uint8_t& { return p.midiClock; }},
                 [](const Preset& p) { return std::to_string(p.GetMidiClock()) + " BpM"; }});
    f.push_back({g + "Real-Time-Mode",
                 {[](Preset& p) -> std::uint8_t& { return p.realtimeMode; }},
                 [](const Preset& p) { return RealtimeModeText(p.realtimeMode); }});
}

void AddController(std::vector<Field>& f, int type) {
    const std::string c = "Controller: ";
    for (int element : kControllerPageOrder)
        f.push_back(
            {c + ControllerLabel(element, type),
             {[element](Preset& p) -> std::uint8_t& { return p.ctrlAssign[element]; }},
             [element](const Preset& p) { return ControllerFunctionText(p.ctrlAssign[element]); }});
    for (int j = 0; j < kSwitchCount; ++j)
        f.push_back({c + "Extern Switch " + std::to_string(j + 1),
                     {[j](Preset& p) -> std::uint8_t& { return p.switchAssign[j]; }},
                     [j](const Preset& p) { return SwitchFunctionText(p.switchAssign[j]); }});
    for (int k = 0; k < kUserCtrlCount; ++k)
        f.push_back({c + "Userdefined Controller " + std::to_string(k + 1),
                     {[k](Preset& p) -> std::uint8_t& { return p.userCtrlNumber[k]; }},
                     [k](const Preset& p) { return std::to_string(p.userCtrlNumber[k]); }});
}

void AddAssignments(std::vector<Field>& f, int type) {
    for (int s = 0; s < kSplitCount; ++s)
        f.push_back({"Controller-Assignments: Split " + std::to_string(s + 1),
                     {[s](Preset& p) -> std::uint8_t& { return p.ctrlMatrix[s]; },
                      [s](Preset& p) -> std::uint8_t& { return p.switchMatrix[s]; }},
                     [s, type](const Preset& p) {
                         std::string text;
                         auto add = [&text](const std::string& item) {
                             text += (text.empty() ? "" : ", ") + item;
                         };
                         for (int element : kControllerPageOrder)
                             if (p.ctrlMatrix[s] & (1 << ControllerMatrixBit(element, type)))
                                 add(ControllerLabel(element, type));
                         for (int j = 0; j < kSwitchCount; ++j)
                             if (p.switchMatrix[s] & (1 << j))
                                 add("Extern Switch " + std::to_string(j + 1));
                         return text.empty() ? std::string("none") : text;
                     }});
}

void AddSplit(std::vector<Field>& f, int type, int s) {
    const std::string n = "Split " + std::to_string(s + 1) + ": ";
    auto byte = [s](SplitBytes Preset::*array) {
        return ByteOf([s, array](Preset& p) -> std::uint8_t& { return (p.*array)[s]; });
    };
    auto number = [s](SplitBytes Preset::*array, int shownOffset) {
        return [s, array, shownOffset](const Preset& p) {
            return std::to_string((p.*array)[s] + shownOffset);
        };
    };
    auto onOff = [s](SplitBytes Preset::*array) {
        return [s, array](const Preset& p) { return OnOff((p.*array)[s]); };
    };
    f.push_back({n + "Keys", {byte(&Preset::lowKey), byte(&Preset::highKey)}, [s](const Preset& p) {
                     if (p.lowKey[s] == 0 && p.highKey[s] == 0)
                         return std::string("off");
                     return KeyNameWithOctave(p.lowKey[s]) + " - " +
                            KeyNameWithOctave(p.highKey[s]);
                 }});
    f.push_back({n + "Transpose", {byte(&Preset::transpose)}, [s](const Preset& p) {
                     return Signed(TransposeSemitones(p.transpose[s]));
                 }});
    f.push_back(
        {n + "MIDI-Channel", {byte(&Preset::midiChannel)}, number(&Preset::midiChannel, 1)});
    if (HasLmk4Fields(type)) {
        f.push_back({n + "Note source", {byte(&Preset::inputMode)}, [s](const Preset& p) {
                         return InputModeText(p.inputMode[s]);
                     }});
        f.push_back({n + "Midi Out 1", {byte(&Preset::midiOut1)}, onOff(&Preset::midiOut1)});
        f.push_back({n + "Midi Out 2", {byte(&Preset::midiOut2)}, onOff(&Preset::midiOut2)});
    }
    f.push_back({n + "Volume activ", {byte(&Preset::volumeActive)}, onOff(&Preset::volumeActive)});
    f.push_back({n + "Max. Volume", {byte(&Preset::volume)}, number(&Preset::volume, 0)});
    f.push_back({n + "Program Change activ",
                 {byte(&Preset::programActive)},
                 onOff(&Preset::programActive)});
    f.push_back(
        {n + "Programm-Nr", {byte(&Preset::programNumber)}, number(&Preset::programNumber, 1)});
    f.push_back({n + "Controller 0 (MSB)", {byte(&Preset::bankMsb)}, number(&Preset::bankMsb, 0)});
    f.push_back({n + "Controller 32 (LSB)", {byte(&Preset::bankLsb)}, number(&Preset::bankLsb, 0)});
    f.push_back(
        {n + "Velocity curve", {byte(&Preset::velocityCurve)}, number(&Preset::velocityCurve, 0)});
    f.push_back({n + "Aftertouch curve",
                 {byte(&Preset::aftertouchCurve)},
                 number(&Preset::aftertouchCurve, 0)});
    if (HasLmk4Fields(type))
        f.push_back({n + "Slow velocity", {byte(&Preset::slowVelocityZero)}, [s](const Preset& p) {
                         return std::string(p.slowVelocityZero[s] ? "dynamic value 0"
                                                                  : "dynamic value 1");
                     }});
}

std::vector<Field> BuildFields(int type) {
    std::vector<Field> f;
    AddGlobal(f, type);
    AddController(f, type);
    AddAssignments(f, type);
    for (int s = 0; s < kSplitCount; ++s)
        AddSplit(f, type, s);
    return f;
}

const std::vector<Field>& Fields(int keyboardType) {
    static const std::vector<Field> lmk3 = BuildFields(kLmk3);
    static const std::vector<Field> lmk4 = BuildFields(kLmk4);
    return HasLmk4Fields(keyboardType) ? lmk4 : lmk3;
}

const Field* FieldAt(int field, int keyboardType) {
    const auto& f = Fields(keyboardType);
    return field >= 0 && field < static_cast<int>(f.size()) ? &f[static_cast<std::size_t>(field)]
                                                            : nullptr;
}

} // namespace

int PresetFieldCount(int keyboardType) {
    return static_cast<int>(Fields(keyboardType).size());
}

std::string PresetFieldName(int field, int keyboardType) {
    const Field* f = FieldAt(field, keyboardType);
    return f ? f->name : std::string();
}

std::string PresetFieldValue(const Preset& preset, int field, int keyboardType) {
    const Field* f = FieldAt(field, keyboardType);
    return f ? f->show(preset) : std::string();
}

bool SamePresetField(const Preset& a, const Preset& b, int field, int keyboardType) {
    const Field* f = FieldAt(field, keyboardType);
    if (!f)
        return true;
    return std::all_of(f->bytes.begin(), f->bytes.end(),
                       [&](const ByteOf& byte) { return Read(byte, a) == Read(byte, b); });
}

void CopyPresetField(const Preset& from, Preset& to, int field, int keyboardType) {
    const Field* f = FieldAt(field, keyboardType);
    if (!f)
        return;
    for (const ByteOf& byte : f->bytes)
        byte(to) = Read(byte, from);
}

std::vector<FieldDiff> DiffPresets(const Preset& a, const Preset& b, int keyboardType) {
    std::vector<FieldDiff> out;
    const auto& fields = Fields(keyboardType);
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const int field = static_cast<int>(i);
        if (!SamePresetField(a, b, field, keyboardType))
            out.push_back({field, fields[i].name, fields[i].show(a), fields[i].show(b)});
    }
    return out;
}

BankDiff DiffBanks(const Bank& a, const Bank& b) {
    BankDiff diff;
    diff.typeA = a.keyboardType;
    diff.typeB = b.keyboardType;
    const int common = std::min(a.PresetCount(), b.PresetCount());
    diff.extraPresets = std::max(a.PresetCount(), b.PresetCount()) - common;
    for (int i = 0; i < common; ++i) {
        auto fields = DiffPresets(a.presets[static_cast<std::size_t>(i)],
                                  b.presets[static_cast<std::size_t>(i)], diff.FieldType());
        if (!fields.empty())
            diff.presets.push_back({i, std::move(fields)});
    }
    return diff;
}

std::vector<std::string> BankDiffLines(const Bank& a, const Bank& b, const BankDiff& diff) {
    std::vector<std::string> lines;
    if (diff.typeA != diff.typeB)
        lines.push_back("type: LMK" + std::to_string(diff.typeA) + " / LMK" +
                        std::to_string(diff.typeB));
    for (const PresetDiff& p : diff.presets) {
        const std::string& nameA = a.presets[static_cast<std::size_t>(p.index)].GetName();
        const std::string& nameB = b.presets[static_cast<std::size_t>(p.index)].GetName();
        lines.push_back(PresetPositionText(p.index) + " " + nameA +
                        (nameA == nameB ? std::string() : " / " + nameB));
        for (const FieldDiff& f : p.fields)
            lines.push_back("  " + f.name + " " + f.ours + " / " + f.theirs);
    }
    if (diff.extraPresets > 0)
        lines.push_back(std::to_string(diff.extraPresets) + " presets only in the " +
                        (a.PresetCount() > b.PresetCount() ? "first" : "second") + " bank");
    return lines;
}

} // namespace presetor
