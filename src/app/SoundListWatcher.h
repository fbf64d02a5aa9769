// Keeps the sound lists in step with their folders while the program runs: a file-system
// watcher on the folders and their ".sounds" files; changes are gathered for a moment, then the
// lists are read again (never while a modal dialog, which may be showing them, is open).
#pragma once

#include "model/Result.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QStringList>
#include <QTimer>

#include <functional>
#include <set>
#include <string>
#include <vector>

class CEditorApp;

class SoundListWatcher final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SoundListWatcher)

public:
    // Called with the problems found by a reading that were not reported before.
    using Report = std::function<void(const std::vector<presetor::Result>&)>;

    // Watches app.soundFolders as they are now. shown: the problems already reported (at
    // start-up), which are not reported again while they stay the same.
    SoundListWatcher(CEditorApp& app, Report report, const std::vector<presetor::Result>& shown,
                     QObject* parent = nullptr);

    // How long changes settle before the lists are read again.
    static constexpr int kSettleMs = 300;

private:
    void Watch();
    void Changed();
    void Reload();

    CEditorApp& app;
    Report report;
    QFileSystemWatcher watcher;
    QTimer settle;
    std::set<std::string> reported;
};
