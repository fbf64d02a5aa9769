// Desktop registration of the preset file type.
#include "ShellIntegration.h"

#include "Resources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>

namespace presetor {

namespace {

QString DataHome() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

bool WriteFile(const QString& path, const QByteArray& bytes, QString* error) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        if (error) {
            *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        }
        return false;
    }
    return true;
}

QByteArray Resource(const QString& name) {
    InitResources();
    QFile file(QStringLiteral(":/presetor/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs a desktop database tool when it exists; its result does not matter.
void RunIfPresent(const QString& tool, const QStringList& arguments) {
    const QString path = QStandardPaths::findExecutable(tool);
    if (!path.isEmpty()) {
        QProcess::execute(path, arguments);
    }
}

} // namespace

QString DesktopEntryPath() {
    return DataHome() + QStringLiteral("/applications/presetor.desktop");
}

QString MimePackagePath() {
    return DataHome() + QStringLiteral("/mime/packages/presetor-lmk.xml");
}

bool InstalledWithDesktopEntry(const QString& executable) {
    QDir prefix = QFileInfo(executable).absoluteDir();
    return prefix.dirName() == QLatin1String("bin") && prefix.cdUp() &&
           QFileInfo(prefix.filePath(QStringLiteral("share/applications/presetor.desktop")))
               .isFile();
}

bool InstallShellIntegration(const QString& executable, QString* error) {
#ifdef Q_OS_WIN
    Q_UNUSED(error);
    QSettings classes(QStringLiteral("HKEY_CURRENT_USER\\Software\\Classes"),
                      QSettings::NativeFormat);
    const QString exe = QDir::toNativeSeparators(executable);
    classes.setValue(QStringLiteral(".lmk/Default"), QStringLiteral("LMK.Document"));
    classes.setValue(QStringLiteral("LMK.Document/Default"), QStringLiteral("LMK Document"));
    classes.setValue(QStringLiteral("LMK.Document/DefaultIcon/Default"),
                     QStringLiteral("\"%1\",0").arg(exe));
    classes.setValue(QStringLiteral("LMK.Document/shell/open/command/Default"),
                     QStringLiteral("\"%1\" \"%2\"").arg(exe, QStringLiteral("%1")));
    classes.setValue(QStringLiteral("LMK.Document/shell/print/command/Default"),
                     QStringLiteral("\"%1\" /p \"%2\"").arg(exe, QStringLiteral("%1")));
    classes.setValue(QStringLiteral("LMK.Document/shell/printto/command/Default"),
                     QStringLiteral("\"%1\" /pt \"%2\" \"%3\" \"%4\" \"%5\"")
                         .arg(exe, QStringLiteral("%1"), QStringLiteral("%2"), QStringLiteral("%3"),
                              QStringLiteral("%4")));
    classes.sync();
    return classes.status() == QSettings::NoError;
#else
    QByteArray desktop = Resource(QStringLiteral("presetor.desktop"));
    // Exec takes the path quoted as the desktop entry format asks.
    QString quoted = executable;
    quoted.replace(QLatin1Char('\\'), QStringLiteral("\\\\"))
        .replace(QLatin1Char('"'), QStringLiteral("\\\""));
    desktop.replace("@EXEC@", QStringLiteral("\"%1\"").arg(quoted).toUtf8());
    const QString icon = DataHome() + QStringLiteral("/icons/hicolor/scalable/apps/presetor.svg");
    if (!WriteFile(DesktopEntryPath(), desktop, error) ||
        !WriteFile(MimePackagePath(), Resource(QStringLiteral("presetor-mime.xml")), error) ||
        !WriteFile(icon, Resource(QStringLiteral("presetor.svg")), error)) {
        return false;
    }
    RunIfPresent(QStringLiteral("update-mime-database"), {DataHome() + QStringLiteral("/mime")});
    RunIfPresent(QStringLiteral("update-desktop-database"),
                 {DataHome() + QStringLiteral("/applications")});
    return true;
#endif
}

} // namespace presetor
