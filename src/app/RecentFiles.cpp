// Recent-file list.
#include "RecentFiles.h"

#include "FileNames.h"
#include "SettingsKeys.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

using namespace presetor;

RecentFiles::RecentFiles(QSettings& store) : settings(store) {
    for (int n = 1; n <= keys::kRecentFileCount; ++n) {
        // A name that is not valid in the file-name encoding is stored as its bytes.
        const QVariant stored = settings.value(keys::RecentFileKey(n));
        const QString path = stored.typeId() == QMetaType::QByteArray
                                 ? FileNameFromBytes(stored.toByteArray())
                                 : stored.toString();
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
            const QByteArray bytes = FileNameBytes(files[n - 1]);
            if (QFile::encodeName(QFile::decodeName(bytes)) == bytes) {
                settings.setValue(keys::RecentFileKey(n), files[n - 1]);
            } else {
                settings.setValue(keys::RecentFileKey(n), bytes);
            }
        } else {
            settings.remove(keys::RecentFileKey(n));
        }
    }
}
