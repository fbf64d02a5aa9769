// The lists of the pages, from the model's one table of value texts, translated where the
// keyboard's own names are not kept.
#include "FunctionNames.h"

#include "model/PresetTexts.h"

#include <QCoreApplication>

#include <string>

namespace {

// The model's texts that are translated, marked for the translation tools. The controller and
// switch functions keep the keyboard's own (MIDI) names in every language; the user
// controllers, preset-switch modes and real-time commands are translated.
[[maybe_unused]] constexpr const char* kTranslatedTexts[] = {
    QT_TRANSLATE_NOOP("FunctionNames", "Userdefined Controller %1"),
    QT_TRANSLATE_NOOP("FunctionNames", "activ / Out 1 and 2"),
    QT_TRANSLATE_NOOP("FunctionNames", "activ / Out 1"),
    QT_TRANSLATE_NOOP("FunctionNames", "activ / Out 2"),
    QT_TRANSLATE_NOOP("FunctionNames", "not activ / Out 1 and 2"),
    QT_TRANSLATE_NOOP("FunctionNames", "No Realtime-Command at Preset-Call"),
    QT_TRANSLATE_NOOP("FunctionNames", "Start-Command at Preset-Call"),
    QT_TRANSLATE_NOOP("FunctionNames", "Stop-Command at Preset-Call"),
    QT_TRANSLATE_NOOP("FunctionNames", "Continue-Command at Preset-Call"),
};

QString Tr(const std::string& text) {
    return QCoreApplication::translate("FunctionNames", text.c_str());
}

QStringList Texts(std::string (*text)(int), int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << Tr(text(i));
    return names;
}

// The eight functions after the keyboard's own are the user controllers 1 to 8.
QStringList FunctionTexts(std::string (*text)(int)) {
    QStringList names;
    for (int i = 0; i < kFunctionCount; ++i)
        names << (i < kFunctionCount - 8
                      ? QString::fromStdString(text(i))
                      : Tr("Userdefined Controller %1").arg(i - (kFunctionCount - 8) + 1));
    return names;
}

} // namespace

const QStringList& ControllerFunctionNames() {
    static const QStringList names = FunctionTexts(&presetor::ControllerFunctionText);
    return names;
}

const QStringList& SwitchFunctionNames() {
    static const QStringList names = FunctionTexts(&presetor::SwitchFunctionText);
    return names;
}

const QStringList& PresetSwitchNames() {
    static const QStringList names = Texts(&presetor::PresetSwitchText, 4);
    return names;
}

const QStringList& RealtimeModeNames() {
    static const QStringList names = Texts(&presetor::RealtimeModeText, 4);
    return names;
}
