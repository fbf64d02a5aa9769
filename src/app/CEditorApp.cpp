// Settings handling and start-up/exit steps of the application object.
#include "CEditorApp.h"

#include "SettingsKeys.h"
#include "SoundListDiscovery.h"

#include <QByteArray>
#include <QEventLoop>
#include <QSettings>

#include <algorithm>
#include <thread>
#include <utility>

using namespace presetor;

namespace {

void StoreNumber(QSettings& settings, const char* key, int value) {
    if (settings.value(QLatin1String(key)).toString() != QString::number(value)) {
        settings.setValue(QLatin1String(key), value);
    }
}

} // namespace

CEditorApp::CEditorApp(QSettings& settingsStore, QObject* parent)
    : QObject(parent), settings(settingsStore), midiSystem(std::make_unique<MidiSystem>()) {
    midiOut = std::make_unique<CMidiOut>(*midiSystem);
    channelAssignments.fill(kNoSoundList);
    bank.LoadPresetDefaults();
}

CEditorApp::~CEditorApp() {
    midiOut->Close();
}

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
        WriteKeyboardType();
    }
}

std::vector<Result> CEditorApp::ReadLateSettings(const QString& soundDirectory) {
    midiInName = settings.value(keys::kMidiIn, QString()).toString();
    midiOutName = settings.value(keys::kMidiOut, QString()).toString();
    turbo = settings.value(keys::kTurbo, keys::kTurboDefault).toInt() != 0 ? 1 : 0;
    pauseMs = std::max(0, settings.value(keys::kPause, keys::kPauseDefault).toInt());
    verifySingle = settings.value(keys::kVerifySingle, keys::kVerifySingleDefault).toInt() != 0;
    verifyAll = settings.value(keys::kVerifyAll, keys::kVerifyAllDefault).toInt() != 0;
    // A silence limit below half a second would end loads from slow keyboards.
    idleTimeoutMs = std::clamp(
        settings.value(keys::kIdleTimeout, keys::kIdleTimeoutDefault).toInt(), 500, 60000);
    fullSpeed = settings.value(keys::kFullSpeed, keys::kFullSpeedDefault).toInt() != 0;
    askSendAll = settings.value(keys::kAskSendAll, keys::kAskSendAllDefault).toInt() != 0;
    ResolveMidiDevices();

    soundFolders = SoundListFolders(soundDirectory);
    std::vector<Result> errors = ReloadSoundLists();
    channelAssignments = ReadChannelAssignments(settings, soundLists);
    return errors;
}

std::vector<Result> CEditorApp::ReloadSoundLists() {
    std::vector<Result> errors;
    soundLists = LoadSoundLists(soundFolders, &errors);
    emit SoundListsChanged();
    return errors;
}

void CEditorApp::Exit() {
    soundLists.clear();
    midiOut->Close();
    WriteChannelAssignments(settings, channelAssignments);
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
    // Written only where the stored text is not already the number: a write makes the settings
    // store save its whole file (lock file, two disk flushes) on the GUI thread, and a start,
    // also one that opens a file, would do it before the window's first paint.
    StoreNumber(settings, keys::kKeyboardMajor, bank.keyboardType);
    StoreNumber(settings, keys::kKeyboardMinor, bank.keyboardMinor);
}

void CEditorApp::SaveMidiSettings() {
    settings.setValue(keys::kMidiIn, midiInName);
    settings.setValue(keys::kMidiOut, midiOutName);
    settings.setValue(keys::kTurbo, turbo);
    settings.setValue(keys::kPause, pauseMs);
    settings.setValue(keys::kVerifySingle, verifySingle ? 1 : 0);
    settings.setValue(keys::kVerifyAll, verifyAll ? 1 : 0);
    settings.setValue(keys::kIdleTimeout, idleTimeoutMs);
    settings.setValue(keys::kFullSpeed, fullSpeed ? 1 : 0);
}

bool CEditorApp::LookupSound(int channel, int msb, int lsb, int program, std::string& listName,
                             std::string& bankName, std::string& soundName) const {
    return presetor::LookupSound(soundLists, channelAssignments, channel, msb, lsb, program,
                                 listName, bankName, soundName);
}

void CEditorApp::SetMidiSystem(std::unique_ptr<MidiSystem> system) {
    pendingMidi = nullptr;
    midiOut->Close();
    midiOut.reset();
    midiSystem = std::move(system);
    midiOut = std::make_unique<CMidiOut>(*midiSystem);
}

void CEditorApp::ResolveMidiDevices() {
    const auto resolve = [this](MidiKind kind, const QString& name, int& device) {
        if (name.isEmpty()) {
            // Nothing chosen yet: the virtual keyboard of the chosen type.
            device =
                FindMidiDevice(*midiSystem, kind,
                               bank.keyboardType == kLmk3 ? kVirtualLmk3Name : kVirtualLmk4Name);
            device = std::max(device, 0);
            return;
        }
        const int found = FindMidiDevice(*midiSystem, kind, name.toStdString());
        if (found >= 0) {
            device = found;
        }
    };
    resolve(MidiKind::Input, midiInName, midiInDevice);
    resolve(MidiKind::Output, midiOutName, midiOutDevice);
}

void CEditorApp::SetMidiMaker(MidiMaker maker) {
    pendingMidi = std::move(maker);
}

namespace {

// Asking the MIDI server for a client takes some of its cycles (tens of milliseconds, more with
// long periods); the window keeps painting and answering meanwhile.
std::unique_ptr<MidiSystem> MakeWhileWindowAnswers(const CEditorApp::MidiMaker& maker) {
    QEventLoop loop;
    std::unique_ptr<MidiSystem> made;
    std::thread worker([&maker, &made, &loop] {
        made = maker();
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    return made;
}

} // namespace

bool CEditorApp::EnsureMidi() {
    if (!pendingMidi) {
        return false;
    }
    const MidiMaker maker = std::exchange(pendingMidi, nullptr);
    midiBeingMade = true;
    std::unique_ptr<MidiSystem> system = MakeWhileWindowAnswers(maker);
    midiBeingMade = false;
    if (system) {
        SetMidiSystem(std::move(system));
        ResolveMidiDevices();
    }
    midiOut->Open(midiOutDevice); // a failed open makes every send report the failure
    return true;
}

bool CEditorApp::OpenMidiOut() {
    if (EnsureMidi() && midiOut->IsOpen()) {
        return true; // opened just now
    }
    return midiOut->Open(midiOutDevice);
}

bool CEditorApp::ReconnectMidi(QString& missing) {
    // Made just now, the system has found the stored names and opened the output already.
    const bool fresh = EnsureMidi();
    const auto find = [this](MidiKind kind, const QString& name, int& device) {
        if (name.isEmpty()) {
            return true; // nothing chosen by name: the number stands
        }
        const int found = FindMidiDevice(*midiSystem, kind, name.toStdString());
        if (found < 0) {
            return false;
        }
        device = found;
        return true;
    };
    if (!find(MidiKind::Output, midiOutName, midiOutDevice)) {
        missing = midiOutName;
        return false;
    }
    if (!find(MidiKind::Input, midiInName, midiInDevice)) {
        missing = midiInName;
        return false;
    }
    // A fresh connection: the old one may lead to a port that vanished and came back.
    if (!(fresh && midiOut->IsOpen()) && !midiOut->Open(midiOutDevice)) {
        missing = MidiDeviceName(MidiKind::Output);
        return false;
    }
    return true;
}

QString CEditorApp::MidiDeviceName(MidiKind kind) const {
    const bool input = kind == MidiKind::Input;
    const QString& stored = input ? midiInName : midiOutName;
    if (!stored.isEmpty()) {
        return stored;
    }
    const int device = input ? midiInDevice : midiOutDevice;
    const auto names = midiSystem->DeviceNames(kind);
    return device >= 0 && static_cast<std::size_t>(device) < names.size()
               ? QString::fromStdString(names[static_cast<std::size_t>(device)])
               : QString();
}
