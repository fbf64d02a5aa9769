// Live edit: while it is on, every change to the current preset goes to the keyboard's edit
// memory as the send-to-edit-memory dump. Changes are coalesced: at most one message is on the
// wire at a time, and when the wire is free again the latest state of the preset goes out, so
// a held spin neither floods the port nor leaves the keyboard behind.
#pragma once

#include "model/Preset.h"

#include <QObject>
#include <QTimer>

class CAppDoc;
class CEditorApp;

class CLiveEdit final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLiveEdit)

public:
    // Reads the stored on/off setting.
    CLiveEdit(CEditorApp& app, CAppDoc& doc, QObject* parent = nullptr);

    bool IsOn() const { return on; }
    // Switches live edit on or off and stores the choice. Switching on sends nothing: the next
    // edit does.
    void SetOn(bool enabled);
    // The last send failed (port closed, driver refused); cleared by the next good send and by
    // switching off.
    bool LastSendFailed() const { return failed; }
    // Messages sent since construction (for the status and the tests).
    int MessagesSent() const { return sent; }
    // Nothing waits to go out and no message is on the wire.
    bool IsIdle() const { return !pending && !inFlight && !kick.isActive(); }
    // How long one dump occupies a MIDI cable; the next one waits that long.
    static int WireTimeMs();

signals:
    // On/off or the failure state changed.
    void StatusChanged();

private:
    void OnUpdated(int hint);
    void TakeBaseline();
    void SendLatest();
    void OnWireFree();

    CEditorApp& app;
    CAppDoc& doc;
    bool on = false;
    bool failed = false;
    bool pending = false;  // the current preset changed since the last dump went out
    bool inFlight = false; // a dump is on the wire
    int sent = 0;
    // The current preset as it was when last seen, to tell its edits from other updates.
    int baselineIndex = -1;
    presetor::Preset baseline;
    QTimer kick;     // sends once the edits of one event have all arrived
    QTimer wireFree; // ends the time a dump occupies the wire
};
