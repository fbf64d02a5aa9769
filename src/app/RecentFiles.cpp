// Recent-file list.
#include "RecentFiles.h"

#include "SettingsKeys.h"

#include <QFileInfo>
#include <QSettings>

using namespace presetor;

RecentFiles::RecentFiles(QSettings& store) : settings(store) {
    for (int n = 1; n <= keys::kRecentFileCount; ++n) {
        const QString path = settings.value(keys::RecentFileKey(n)).toString();
        if (!path.isEmpty() && !files.contains(path)) {
            files << path;
        }
    }
}

void RecentFiles::Add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    files.removeAll(absolute);
    files.prepend(absolute);
    while (files.size() > keys::kRecentFileCount) {
        files.removeLast();
    }
    Write();
}

void RecentFiles::Remove(const QString& path) {
    if (files.removeAll(path) > 0) {
        Write();
    }
}

void RecentFiles::Write() {
    for (int n = 1; n <= keys::kRecentFileCount; ++n) {
        if (n <= files.size()) {
            settings.setValue(keys::RecentFileKey(n), files[n - 1]);
        } else {
            settings.remove(keys::RecentFileKey(n));
        }
    }
}
