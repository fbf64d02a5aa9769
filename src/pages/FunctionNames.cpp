#include "FunctionNames.h"

namespace {

QStringList WithUserControllers(QStringList names) {
    for (int i = 1; i <= 8; ++i)
        names << QStringLiteral("Userdefined Controller %1").arg(i);
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
        QStringLiteral("activ / Out 1 and 2"), QStringLiteral("activ / Out 1"),
        QStringLiteral("activ / Out 2"), QStringLiteral("not activ / Out 1 and 2")};
    return names;
}

const QStringList& RealtimeModeNames() {
    static const QStringList names = {QStringLiteral("No Realtime-Command at Preset-Call"),
                                      QStringLiteral("Start-Command at Preset-Call"),
                                      QStringLiteral("Stop-Command at Preset-Call"),
                                      QStringLiteral("Continue-Command at Preset-Call")};
    return names;
}
