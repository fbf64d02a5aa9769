// Texts of preset values.
#include "PresetTexts.h"

#include "KeyboardType.h"
#include "Preset.h"

namespace presetor {

namespace {

const char* const kNoteNames[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "B", "H"};

const char* const kControllerFunctions[8] = {
    "Pitch",           "Aftertouch", "Modulation", "Breath Controller",
    "Portamento Time", "Data Entry", "Volume",     "Panorama"};
const char* const kSwitchFunctions[8] = {"Sustain", "Portamento On/Off", "Sostenuto", "Softpedal",
                                         "Link",    "Legato On/Off",     "Hold 2",    "FR4"};
const char* const kPresetSwitchModes[4] = {"activ / Out 1 and 2", "activ / Out 1", "activ / Out 2",
                                           "not activ / Out 1 and 2"};
const char* const kRealtimeModes[4] = {
    "No Realtime-Command at Preset-Call", "Start-Command at Preset-Call",
    "Stop-Command at Preset-Call", "Continue-Command at Preset-Call"};
const char* const kInputModes[4] = {
    "IN - intern Keyboard of the LMK4", "EA - extern MIDI-In, ALL-Modus",
    "EO - extern MIDI-In, OMNI-Modus", "EM - extern MIDI-In, MONO-Modus"};

std::string Number(int n) {
    return "(" + std::to_string(n) + ")";
}

std::string FromList(const char* const (&list)[4], int index) {
    return index >= 0 && index < 4 ? list[index] : Number(index);
}

std::string FunctionText(const char* const (&names)[8], int code) {
    if (code >= 0 && code < 8)
        return names[code];
    if (code >= 8 && code < 16)
        return "Userdefined Controller " + std::to_string(code - 7);
    return Number(code);
}

} // namespace

std::string KeyNameWithOctave(int note) {
    if (note < 0 || note > 127)
        return Number(note);
    // A one-letter name is padded to two characters, so names line up ("C 3", "C#3", "A -1").
    std::string text = kNoteNames[note % 12];
    const int octave = note / 12 - 2;
    if (text.size() == 1)
        text += ' ';
    return text + std::to_string(octave);
}

int TransposeSemitones(std::uint8_t stored) {
    return (stored & 0x80) ? -(stored & 0x7F) : stored;
}

std::string ControllerFunctionText(int code) {
    return FunctionText(kControllerFunctions, code);
}

std::string SwitchFunctionText(int code) {
    return FunctionText(kSwitchFunctions, code);
}

std::string PresetSwitchText(int mode) {
    return FromList(kPresetSwitchModes, mode);
}

std::string RealtimeModeText(int mode) {
    return FromList(kRealtimeModes, mode);
}

std::string InputModeText(int mode) {
    return FromList(kInputModes, mode);
}

std::string ControllerLabel(int element, int keyboardType) {
    const bool lmk3 = keyboardType == kLmk3;
    switch (element) {
    case kCtrlWheel1:
        return "Wheel 1";
    case kCtrlWheel2:
        return "Wheel 2";
    case kCtrlSlide1:
        return lmk3 ? "Slide 1" : "CTR1";
    case kCtrlSlide2:
        return lmk3 ? "Slide 2" : "CTR2";
    case kCtrlDataEntry:
        return lmk3 ? "Data Entry" : "CTR3";
    case kCtrlAftertouch:
        return "Aftertouch";
    case kCtrlExtern1:
        return "Extern Controller 1";
    case kCtrlExtern2:
        return "Extern Controller 2";
    default:
        return Number(element);
    }
}

int ControllerMatrixBit(int element, int keyboardType) {
    // The keyboard's own bit order: the sliders and the extern controllers swap on the LMK4.
    static const int kLmk3Bits[8] = {0, 1, 2, 3, 4, 5, 6, 7};
    static const int kLmk4Bits[8] = {0, 1, 3, 2, 6, 5, 4, 7};
    if (element < 0 || element >= kControllerCount)
        return 0;
    return (keyboardType == kLmk3 ? kLmk3Bits : kLmk4Bits)[element];
}

} // namespace presetor
