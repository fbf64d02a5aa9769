// Start-up discovery of the sound lists and the stored channel assignments.
#include "SoundListDiscovery.h"

#include "SettingsKeys.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QStandardPaths>
#include <QStringConverter>

namespace presetor {

QStringList SoundListFolders() {
    QStringList folders;
    QStringList canonical;
    const QString candidates[] = {
        QDir::currentPath(),
        QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
    };
    for (const QString& folder : candidates) {
        if (folder.isEmpty()) {
            continue;
        }
        // A folder that does not exist is still named, so that the search order stays plain;
        // it simply holds no files.
        const QString key = QFileInfo(folder).canonicalFilePath().isEmpty()
                                ? QDir::cleanPath(folder)
                                : QFileInfo(folder).canonicalFilePath();
        if (!canonical.contains(key)) {
            canonical.append(key);
            folders.append(folder);
        }
    }
    return folders;
}

std::vector<CSoundList> LoadSoundLists(const QStringList& folders, QStringList* errors) {
    std::vector<CSoundList> lists;
    for (const QString& folder : folders) {
        std::vector<Result> failures;
        std::vector<CSoundList> found =
            LoadSoundListsIn(QFile::encodeName(folder).toStdString(), &failures);
        for (CSoundList& list : found) {
            lists.push_back(std::move(list));
        }
        if (errors) {
            for (const Result& failure : failures) {
                errors->append(QString::fromLocal8Bit(failure.message()));
            }
        }
    }
    return lists;
}

std::vector<CSoundList> DiscoverSoundLists(QWidget* parent) {
    QStringList errors;
    std::vector<CSoundList> lists = LoadSoundLists(SoundListFolders(), &errors);
    for (const QString& error : errors) {
        QMessageBox::warning(parent, QStringLiteral("Presetor"), error);
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
    QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!utf8.hasError()) {
        return text;
    }
    return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace presetor
