// Texts of preset values as the pages show them, for the printed summary, the comparison of two
// banks and the command-line tool: key names with octave, transpose, function and mode names,
// and the bit of each controller in a split's assignment byte.
#pragma once

#include <cstdint>
#include <string>

namespace presetor {

// "C 3" for MIDI note 60 (middle C = C3), "C#3", "A-1" for note 21, with the keyboard widget's
// note names (German "B" for B flat and "H" for B). Notes outside 0..127 give "(n)".
std::string KeyNameWithOctave(int note);

// The transpose byte (sign and magnitude, bit 7 = downwards) as semitones.
int TransposeSemitones(std::uint8_t stored);

// Function names of the Controller page's lists by stored code 0..15 ("Pitch", ...,
// "Userdefined Controller 8"); "(n)" for a code outside the lists.
std::string ControllerFunctionText(int code);
std::string SwitchFunctionText(int code);
// "activ / Out 1 and 2", ... (0..3) and the real-time commands (0..3); "(n)" outside.
std::string PresetSwitchText(int mode);
std::string RealtimeModeText(int mode);
// The LMK4's note sources: "IN - intern Keyboard of the LMK4", ... (0..3); "(n)" outside.
std::string InputModeText(int mode);

// The Controller page's label of controller element (ctrlAssign index), without the colon:
// "Wheel 1", ..., "Slide 1" on the LMK3 and "CTR1" on the LMK4.
std::string ControllerLabel(int element, int keyboardType);
// The controller elements in the order the pages list them.
inline constexpr int kControllerPageOrder[8] = {0, 1, 4, 6, 7, 5, 3, 2};
// Bit of controller element in a split's ctrlMatrix byte for the keyboard type.
int ControllerMatrixBit(int element, int keyboardType);

} // namespace presetor
