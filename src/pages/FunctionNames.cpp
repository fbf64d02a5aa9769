// The lists of the pages, from the model's one table of value texts.
#include "FunctionNames.h"

#include "model/PresetTexts.h"

#include <string>

namespace {

QStringList Texts(std::string (*text)(int), int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
        names << QString::fromStdString(text(i));
    return names;
}

} // namespace

const QStringList& ControllerFunctionNames() {
    static const QStringList names = Texts(&presetor::ControllerFunctionText, kFunctionCount);
    return names;
}

const QStringList& SwitchFunctionNames() {
    static const QStringList names = Texts(&presetor::SwitchFunctionText, kFunctionCount);
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
