// Names of the controller and switch functions as the function lists of the Controller page
// (and the defaults sheet) show them, indexed by the stored function code 0..15.
#pragma once

#include <QStringList>

constexpr int kFunctionCount = 16;

// "Pitch", "Aftertouch", ..., "Userdefined Controller 8".
const QStringList& ControllerFunctionNames();
// "Sustain", "Portamento On/Off", ..., "Userdefined Controller 8".
const QStringList& SwitchFunctionNames();
