// View > MIDI Monitor: a dockable panel listing every MIDI message the program sends and
// receives (time, direction, port, length, first bytes, meaning), the newest 2,000 kept, with
// Clear and Save as text. It listens only while it is shown, so a closed monitor costs nothing.
#pragma once

#include "midi/MidiMonitorLog.h"
#include "midi/MidiTap.h"

#include <QDockWidget>

#include <memory>

class CEditorApp;
class QTableView;
class TrafficModel;

class CMidiMonitor final : public QDockWidget, public presetor::MidiTrafficObserver {
    Q_OBJECT

public:
    explicit CMidiMonitor(CEditorApp& app, QWidget* parent = nullptr);
    ~CMidiMonitor() override;

    const presetor::MidiMonitorLog& Log() const { return log; }
    // Whether the monitor is installed as the traffic observer now.
    bool IsListening() const { return listening; }
    // The list as text, one line per message (what Save as text writes).
    QString Text() const;
    void Clear();
    // Writes Text() to path atomically; false with the reason in error.
    bool SaveText(const QString& path, QString* error) const;

    void OnMidiTraffic(presetor::MidiDirection direction, const std::string& port,
                       std::span<const std::uint8_t> bytes) override;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Listen(bool on);
    void OnSave();

    CEditorApp& app;
    presetor::MidiMonitorLog log;
    TrafficModel* model = nullptr;
    QTableView* table = nullptr;
    bool listening = false;
};
