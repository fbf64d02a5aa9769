// The list of the four files used last, newest first, kept in the settings store under
// "Recent File List" and written whenever it changes.
#pragma once

#include <QStringList>

class QSettings;

class RecentFiles {
public:
    explicit RecentFiles(QSettings& settings);

    const QStringList& Files() const { return files; }
    // Puts path first (removing an older entry of it) and keeps four.
    void Add(const QString& path);
    void Remove(const QString& path);

private:
    void Write();

    QSettings& settings;
    QStringList files;
};
