// Watching the sound-list folders and reading the lists again after a change.
#include "SoundListWatcher.h"

#include "CEditorApp.h"
#include "FileNames.h"
#include "model/SoundList.h"

#include <QApplication>
#include <QDir>

SoundListWatcher::SoundListWatcher(CEditorApp& application, Report reportProblems,
                                   const std::vector<presetor::Result>& shown, QObject* parent)
    : QObject(parent), app(application), report(std::move(reportProblems)) {
    for (const presetor::Result& r : shown) {
        reported.insert(r.message());
    }
    settle.setSingleShot(true);
    settle.setInterval(kSettleMs);
    connect(&settle, &QTimer::timeout, this, &SoundListWatcher::Reload);
    connect(&watcher, &QFileSystemWatcher::directoryChanged, this, &SoundListWatcher::Changed);
    connect(&watcher, &QFileSystemWatcher::fileChanged, this, &SoundListWatcher::Changed);
    Watch();
}

void SoundListWatcher::Watch() {
    QStringList paths;
    for (const QString& folder : app.soundFolders) {
        // A folder that does not exist yet is noticed when its nearest existing parent changes.
        QDir dir(folder);
        while (!dir.exists() && !dir.isRoot() && dir.cdUp()) {
        }
        if (dir.exists()) {
            paths.append(dir.absolutePath());
        }
        // The files the lists are read from, found the way the reading finds them: the folder
        // may be a big one (the one the program was started in), so nothing else is kept.
        for (const std::string& file : presetor::SoundListFilesIn(presetor::FileNamePath(folder))) {
            paths.append(presetor::FileNameFromBytes(QByteArray::fromStdString(file)));
        }
    }
    const QStringList watched = watcher.directories() + watcher.files();
    for (const QString& path : watched) {
        if (!paths.contains(path)) {
            watcher.removePath(path);
        }
    }
    for (const QString& path : paths) {
        if (!watched.contains(path)) {
            watcher.addPath(path);
        }
    }
}

void SoundListWatcher::Changed() {
    settle.start();
}

void SoundListWatcher::Reload() {
    // A dialog showing the lists holds on to them; read again once it has closed.
    if (QApplication::activeModalWidget() != nullptr) {
        settle.start();
        return;
    }
    const std::vector<presetor::Result> errors = app.ReloadSoundLists();
    Watch();
    std::vector<presetor::Result> fresh;
    std::set<std::string> now;
    for (const presetor::Result& r : errors) {
        now.insert(r.message());
        if (!reported.count(r.message())) {
            fresh.push_back(r);
        }
    }
    reported = std::move(now);
    if (!fresh.empty() && report) {
        report(fresh);
    }
}
