// Settings handling and start-up/exit steps of the application object.
#include "CEditorApp.h"

#include "SettingsKeys.h"

#include <QByteArray>
#include <QSettings>

using namespace presetor;

CEditorApp::CEditorApp(QSettings& settingsStore, QObject* parent)
    : QObject(parent), settings(settingsStore) {
    channelAssignments.fill(kNoSoundList);
    bank.LoadPresetDefaults();
}

CEditorApp::~CEditorApp() = default;

void CEditorApp::ReadStartupSettings() {
    LoadPresetDefaults();
    const int major = settings.value(keys::kKeyboardMajor, keys::kKeyboardMajorDefault).toInt();
    const int minor = settings.value(keys::kKeyboardMinor, keys::kKeyboardMinorDefault).toInt();
    // Only the two known types are taken; anything else counts as not chosen and the user is
    // asked again rather than the program running with an unknown bank size.
    if (major == kLmk3 || major == kLmk4) {
        bank.SetKeyboardType(major);
        bank.keyboardMinor = minor;
        bank.keyboardTypeChosen = true;
        settings.setValue(keys::kKeyboardMajor, major);
        settings.setValue(keys::kKeyboardMinor, minor);
    }
}

std::vector<Result> CEditorApp::ReadLateSettings(const QString& soundDirectory) {
    midiInName = settings.value(keys::kMidiIn, QString()).toString();
    midiOutName = settings.value(keys::kMidiOut, QString()).toString();
    turbo = settings.value(keys::kTurbo, keys::kTurboDefault).toInt() != 0 ? 1 : 0;
    pauseMs = std::max(0, settings.value(keys::kPause, keys::kPauseDefault).toInt());

    std::vector<Result> errors;
    soundLists = LoadSoundListsIn(soundDirectory.toStdString(), &errors);
    for (int ch = 0; ch < 16; ++ch) {
        const QString stored =
            settings.value(keys::ChannelKey(ch + 1), keys::kChannelDefault).toString();
        channelAssignments[static_cast<std::size_t>(ch)] =
            stored.isEmpty() ? std::string(kNoSoundList) : stored.toStdString();
    }
    return errors;
}

void CEditorApp::Exit() {
    soundLists.clear();
    for (int ch = 0; ch < 16; ++ch) {
        const std::string& name = channelAssignments[static_cast<std::size_t>(ch)];
        if (name != kNoSoundList) {
            settings.setValue(keys::ChannelKey(ch + 1), QString::fromStdString(name));
        }
    }
    settings.sync();
}

void CEditorApp::LoadPresetDefaults() {
    const QByteArray stored = settings.value(keys::kDefaultPreset).toByteArray();
    bank.LoadPresetDefaults(
        std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(stored.constData()),
                                      static_cast<std::size_t>(stored.size())));
}

void CEditorApp::SavePresetDefaults() {
    const auto bytes = bank.presetDefaults.ToBytes();
    settings.setValue(keys::kDefaultPreset, QByteArray(reinterpret_cast<const char*>(bytes.data()),
                                                       static_cast<qsizetype>(bytes.size())));
}

void CEditorApp::SetKeyboardType(int type) {
    const bool changed = bank.keyboardType != type;
    bank.SetKeyboardType(type);
    WriteKeyboardType();
    if (changed) {
        emit KeyboardTypeChanged(type);
    }
}

void CEditorApp::WriteKeyboardType() {
    settings.setValue(keys::kKeyboardMajor, bank.keyboardType);
    settings.setValue(keys::kKeyboardMinor, bank.keyboardMinor);
}

void CEditorApp::SaveMidiSettings() {
    settings.setValue(keys::kMidiIn, midiInName);
    settings.setValue(keys::kMidiOut, midiOutName);
    settings.setValue(keys::kTurbo, turbo);
    settings.setValue(keys::kPause, pauseMs);
}

bool CEditorApp::LookupSound(int channel, int msb, int lsb, int program, std::string& listName,
                             std::string& bankName, std::string& soundName) const {
    return presetor::LookupSound(soundLists, channelAssignments, channel, msb, lsb, program,
                                 listName, bankName, soundName);
}
