// Start-up discovery of the sound lists and the stored channel assignments.
#include "SoundListDiscovery.h"

#include "FileNames.h"
#include "SettingsKeys.h"
#include "model/TextEncoding.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace presetor {

QString SystemSoundListFolder() {
    // Installed, the program runs from <prefix>/bin: its data lies beside that folder, wherever
    // the package put the prefix. From a build folder, the configured install prefix counts.
    if (QCoreApplication::instance() != nullptr) {
        const QDir programFolder(QCoreApplication::applicationDirPath());
        if (programFolder.dirName() == QLatin1String("bin")) {
            return QDir::cleanPath(
                programFolder.filePath(QStringLiteral("../share/presetor/sounds")));
        }
    }
#ifdef PRESETOR_SYSTEM_SOUNDS_DIR
    return QStringLiteral(PRESETOR_SYSTEM_SOUNDS_DIR);
#else
    return QString();
#endif
}

QStringList SoundListFolders(const QString& first) {
    QStringList folders;
    QStringList canonical;
    const QString candidates[] = {
        first,
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
        SystemSoundListFolder(),
    };
    for (const QString& folder : candidates) {
        if (folder.isEmpty()) {
            continue;
        }
        const QString resolved = QFileInfo(folder).canonicalFilePath();
        const QString key = resolved.isEmpty() ? QDir::cleanPath(folder) : resolved;
        if (!canonical.contains(key)) {
            canonical.append(key);
            folders.append(folder);
        }
    }
    return folders;
}

std::vector<CSoundList> LoadSoundLists(const QStringList& folders, std::vector<Result>* errors) {
    std::vector<CSoundList> lists;
    for (const QString& folder : folders) {
        std::vector<CSoundList> found = LoadSoundListsIn(FileNamePath(folder), errors);
        for (CSoundList& list : found) {
            lists.push_back(std::move(list));
        }
    }
    return lists;
}

ChannelAssignments ReadChannelAssignments(QSettings& settings,
                                          const std::vector<CSoundList>& soundLists) {
    ChannelAssignments assignments;
    for (int channel = 1; channel <= 16; ++channel) {
        const QString shown =
            settings.value(keys::ChannelKey(channel), QString::fromLatin1(keys::kChannelDefault))
                .toString();
        std::string bytes = shown.toUtf8().toStdString();
        for (const CSoundList& list : soundLists) {
            if (SoundText(list.name) == shown) {
                bytes = list.name;
                break;
            }
        }
        assignments[static_cast<std::size_t>(channel - 1)] = bytes;
    }
    return assignments;
}

void WriteChannelAssignments(QSettings& settings, const ChannelAssignments& assignments) {
    for (int channel = 1; channel <= 16; ++channel) {
        const std::string& entry = assignments[static_cast<std::size_t>(channel - 1)];
        if (entry == kNoSoundList) {
            settings.remove(keys::ChannelKey(channel));
        } else {
            settings.setValue(keys::ChannelKey(channel), SoundText(entry));
        }
    }
}

QString SoundText(const std::string& bytes) {
    return QString::fromStdString(Utf8OrLatin1(bytes));
}

} // namespace presetor
