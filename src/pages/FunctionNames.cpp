#include "FunctionNames.h"

#include <QCoreApplication>

namespace {

// The controller and switch functions keep the keyboard's own (MIDI) names in every language;
// the user controllers, preset-switch modes and real-time commands are translated.
QString Tr(const char* text) {
    return QCoreApplication::translate("FunctionNames", text);
}

QStringList WithUserControllers(QStringList names) {
    for (int i = 1; i <= 8; ++i)
        names << Tr(QT_TRANSLATE_NOOP("FunctionNames", "Userdefined Controller %1")).arg(i);
    return names;
}

} // namespace

const QStringList& ControllerFunctionNames() {
    static const QStringList names = WithUserControllers(
        {QStringLiteral("Pitch"), QStringLiteral("Aftertouch"), QStringLiteral("Modulation"),
         QStringLiteral("Breath Controller"), QStringLiteral("Portamento Time"),
         QStringLiteral("Data Entry"), QStringLiteral("Volume"), QStringLiteral("Panorama")});
    return names;
}

const QStringList& SwitchFunctionNames() {
    static const QStringList names = WithUserControllers(
        {QStringLiteral("Sustain"), QStringLiteral("Portamento On/Off"),
         QStringLiteral("Sostenuto"), QStringLiteral("Softpedal"), QStringLiteral("Link"),
         QStringLiteral("Legato On/Off"), QStringLiteral("Hold 2"), QStringLiteral("FR4")});
    return names;
}

const QStringList& PresetSwitchNames() {
    static const QStringList names = {
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "activ / Out 1 and 2")),
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "activ / Out 1")),
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "activ / Out 2")),
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "not activ / Out 1 and 2"))};
    return names;
}

const QStringList& RealtimeModeNames() {
    static const QStringList names = {
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "No Realtime-Command at Preset-Call")),
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "Start-Command at Preset-Call")),
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "Stop-Command at Preset-Call")),
        Tr(QT_TRANSLATE_NOOP("FunctionNames", "Continue-Command at Preset-Call"))};
    return names;
}
