// Names of the controller and switch functions as the function lists of the Controller page
// (and the defaults sheet) show them, indexed by the stored function code 0..15.
#pragma once

#include <QStringList>

constexpr int kFunctionCount = 16;

// "Pitch", "Aftertouch", ..., "Userdefined Controller 8".
const QStringList& ControllerFunctionNames();
// "Sustain", "Portamento On/Off", ..., "Userdefined Controller 8".
const QStringList& SwitchFunctionNames();
// The preset-switch modes 0..3: "activ / Out 1 and 2", ..., "not activ / Out 1 and 2".
const QStringList& PresetSwitchNames();
// The real-time commands 0..3: "No Realtime-Command at Preset-Call", ....
const QStringList& RealtimeModeNames();
