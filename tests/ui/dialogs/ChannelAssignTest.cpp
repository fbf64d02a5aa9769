// Channel assignments: the dialog's rows and buttons, how names are stored, and the start-up
// search for sound lists. (Restarts of the whole program are in WindowTest.)
#include "CChannelAssignDlg.h"
#include "DialogTestKit.h"
#include "app/SettingsKeys.h"

#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

namespace {

presetor::CSoundList Named(const char* name) {
    presetor::CSoundList list;
    list.LoadFromText(std::string("name=") + name + "\nbank=Main,1,0\n0,First\n");
    return list;
}

void WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

class ChannelAssignTest : public QObject {
    Q_OBJECT

private slots:
    void assignAndDelete() {
        const std::vector<presetor::CSoundList> lists = {Named("Studio Module"),
                                                         Named("General MIDI")};
        auto assignments = Unassigned();
        CChannelAssignDlg dialog(lists, assignments);
        dialog.show();
        auto* rows = Child<QTreeWidget>(dialog, "channelList");
        auto* names = Child<QListWidget>(dialog, "soundListBox");
        QCOMPARE(rows->topLevelItemCount(), 16);
        QCOMPARE(rows->headerItem()->text(0), QStringLiteral("MIDI-Channel"));
        QCOMPARE(rows->headerItem()->text(1), QStringLiteral("Assignment"));
        QCOMPARE(rows->topLevelItem(9)->text(0), QStringLiteral("10"));
        QVERIFY(rows->selectedItems().isEmpty());
        // Sorted names, the first one selected.
        QCOMPARE(names->item(0)->text(), QStringLiteral("General MIDI"));
        QCOMPARE(names->currentRow(), 0);

        // Without a channel row nothing happens.
        Child<QPushButton>(dialog, "assignButton")->click();
        Child<QPushButton>(dialog, "deleteButton")->click();
        QVERIFY(assignments == Unassigned());

        rows->topLevelItem(9)->setSelected(true);
        names->setCurrentRow(1);
        Child<QPushButton>(dialog, "assignButton")->click();
        QCOMPARE(assignments[9], std::string("Studio Module"));
        QCOMPARE(rows->topLevelItem(9)->text(1), QStringLiteral("Studio Module"));

        rows->topLevelItem(9)->setSelected(false);
        rows->topLevelItem(0)->setSelected(true);
        names->setCurrentRow(0);
        Child<QPushButton>(dialog, "assignButton")->click();
        Child<QPushButton>(dialog, "deleteButton")->click();
        QCOMPARE(assignments[0], std::string(" "));
        QCOMPARE(rows->topLevelItem(0)->text(1), QStringLiteral(" "));

        // Escape closes the dialog; what was assigned stays.
        QTest::keyClick(&dialog, Qt::Key_Escape);
        QVERIFY(!dialog.isVisible());
        QCOMPARE(assignments[9], std::string("Studio Module"));
    }

    void withoutListsNothingCanBeAssigned() {
        const std::vector<presetor::CSoundList> none;
        auto assignments = Unassigned();
        assignments[3] = "Gone Module";
        CChannelAssignDlg dialog(none, assignments);
        dialog.show();
        QVERIFY(!Child<QPushButton>(dialog, "assignButton")->isEnabled());
        QVERIFY(!Child<QPushButton>(dialog, "deleteButton")->isEnabled());
        auto* rows = Child<QTreeWidget>(dialog, "channelList");
        QCOMPARE(rows->topLevelItem(0)->text(1), QStringLiteral(" "));
        QCOMPARE(rows->topLevelItem(3)->text(1), QStringLiteral("Gone Module"));
    }

    void singleByteNamesKeepTheirBytes() {
        // A list written in a single-byte code page: shown readably, stored readably, and read
        // back as the list's own bytes so that it is still found.
        presetor::CSoundList latin;
        latin.LoadFromText("name=M\xFC"
                           "ller Synth\nbank=A,1,0\n0,Piano\n");
        QCOMPARE(presetor::SoundText(latin.name), QStringLiteral("Müller Synth"));
        QCOMPARE(presetor::SoundText("M\xC3\xBCller"), QStringLiteral("Müller"));
        const std::vector<presetor::CSoundList> lists = {latin};
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
        auto assignments = Unassigned();
        assignments[0] = latin.name;
        presetor::WriteChannelAssignments(settings, assignments);
        QCOMPARE(settings.value(presetor::keys::ChannelKey(1)).toString(),
                 QStringLiteral("Müller Synth"));
        QCOMPARE(presetor::ReadChannelAssignments(settings, lists)[0], latin.name);
    }

    void startUpFindsListsInBothFolders() {
        QStandardPaths::setTestModeEnabled(true);
        const QString userFolder =
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        QVERIFY(QDir().mkpath(userFolder));
        const QString userFile = userFolder + QStringLiteral("/Presetor-test-user.sounds");
        WriteFile(userFile, "name=User Folder Module\r\nbank=A,2,0\r\n");

        QTemporaryDir current;
        WriteFile(current.filePath(QStringLiteral("here.sounds")), "name=Here Module\n");
        WriteFile(current.filePath(QStringLiteral("notes.txt")), "name=Not a list\n");
        // A file that cannot be opened: a link to nowhere.
        QVERIFY(QFile::link(current.filePath(QStringLiteral("missing-target")),
                            current.filePath(QStringLiteral("broken.sounds"))));

        const QStringList folders = presetor::SoundListFolders(current.path());
        QCOMPARE(folders.size(), 3);
        QCOMPARE(folders[0], current.path());
        QCOMPARE(folders[1], userFolder);
        // The installed examples' folder, under the install prefix.
        QVERIFY2(folders[2].endsWith(QStringLiteral("/share/presetor/sounds")),
                 qPrintable(folders[2]));
        // The current directory named twice is searched once.
        QCOMPARE(presetor::SoundListFolders(userFolder).size(), 2);

        std::vector<presetor::Result> errors;
        const auto lists = presetor::LoadSoundLists(folders, &errors);
        QFile::remove(userFile);
        QStringList names;
        for (const auto& list : lists) {
            names.append(QString::fromStdString(list.name));
        }
        QVERIFY(names.contains(QStringLiteral("Here Module")));
        // The unreadable file is reported, not offered as a blank list.
        QVERIFY(!names.contains(QString()));
        QCOMPARE(names.indexOf(QStringLiteral("User Folder Module")), 1);
        QCOMPARE(errors.size(), std::size_t(1));
        QVERIFY(
            QString::fromStdString(errors[0].message()).contains(QStringLiteral("broken.sounds")));
    }
};

QTEST_MAIN(ChannelAssignTest)
#include "ChannelAssignTest.moc"
