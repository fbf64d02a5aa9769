// The defaults sheet, the channel assignments and the select-preset dialog reached from the
// running main window, over program runs that share one settings file: what the Options menu
// stores is there at the next start, a deleted assignment stays deleted, and a sound picked by
// name on a split page becomes its program change.
#include "CChannelAssignDlg.h"
#include "CPropertySheetOptions.h"
#include "CSelectPresetDlg.h"
#include "PageFactory.h"
#include "PrintCommands.h"
#include "ProgramStart.h"
#include "app/CMainFrame.h"
#include "app/CommandIds.h"
#include "app/PresetorSession.h"
#include "app/SettingsKeys.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <functional>
#include <memory>

namespace {

// Runs act on the next modal dialog as soon as it shows; call before the command opens it.
void OnNextModal(std::function<void(QWidget&)> act) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(*modal);
            // A failed check inside act leaves the dialog open; close it so the test ends.
            if (modal->isVisible()) {
                if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                    dialog->reject();
                }
            }
        }
    });
    timer->start();
}

template <typename T> T* Child(QObject& parent, const QString& name) {
    T* child = parent.findChild<T*>(name);
    if (!child) {
        qFatal("no child %s", qPrintable(name));
    }
    return child;
}

PresetorParts ProgramParts() {
    PresetorParts parts;
    parts.pages = &CreatePage;
    parts.dialogs.presetDefaults = [](QWidget* parent, CEditorApp& app, CAppDoc& doc) {
        RunPresetDefaultSettings(parent, app, doc);
    };
    parts.dialogs.channelAssignment = &RunChannelAssignment;
    parts.print = [](CEditorApp& app, CAppDoc& doc, const QString& printer) {
        return printout::PrintCommand(app, doc, printer,
                                      [](QString*) { return printout::LinkedPrinters(); });
    };
    parts.pdf = &printout::PdfCommand;
    return parts;
}

void SelectChannelRow(QWidget& dialog, int channel) {
    auto* rows = Child<QTreeWidget>(dialog, QStringLiteral("channelList"));
    rows->clearSelection();
    rows->topLevelItem(channel - 1)->setSelected(true);
}

} // namespace

class WindowTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PresetorSession> session;

    // One start of the program on the shared settings file, with the sound lists of dir.
    CMainFrame& Start() { return StartProgram(dir, ProgramParts(), settings, session); }

    void Finish() {
        session->Finish();
        session.reset();
        settings->sync();
    }

    void Trigger(CMainFrame& frame, int command) {
        Child<QAction>(frame, QStringLiteral("action%1").arg(command))->trigger();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        QFile::copy(QStringLiteral(PRESETOR_SOURCE_DIR "/res/sounds/StudioModule.sounds"),
                    dir.filePath(QStringLiteral("StudioModule.sounds")));
        QSettings first(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
        first.setValue(QString::fromLatin1(presetor::keys::kKeyboardMajor), 3);
        first.setValue(QString::fromLatin1(presetor::keys::kKeyboardMinor), 4);
    }

    void channelAssignmentsOverRestarts() {
        CMainFrame& frame = Start();
        QCOMPARE(session->App().soundLists.size(), std::size_t(1));
        OnNextModal([](QWidget& dialog) {
            SelectChannelRow(dialog, 10);
            Child<QPushButton>(dialog, QStringLiteral("assignButton"))->click();
            SelectChannelRow(dialog, 1);
            Child<QPushButton>(dialog, QStringLiteral("assignButton"))->click();
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        Trigger(frame, presetor::ID_CHANNEL_ASSIGNMENT);
        QCOMPARE(session->App().channelAssignments[9], std::string("Studio Module"));
        Finish();

        CMainFrame& again = Start();
        QCOMPARE(session->App().channelAssignments[9], std::string("Studio Module"));
        QCOMPARE(session->App().channelAssignments[0], std::string("Studio Module"));
        OnNextModal([](QWidget& dialog) {
            auto* rows = Child<QTreeWidget>(dialog, QStringLiteral("channelList"));
            QCOMPARE(rows->topLevelItem(9)->text(1), QStringLiteral("Studio Module"));
            SelectChannelRow(dialog, 10);
            Child<QPushButton>(dialog, QStringLiteral("deleteButton"))->click();
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        Trigger(again, presetor::ID_CHANNEL_ASSIGNMENT);
        Finish();

        Start();
        QCOMPARE(session->App().channelAssignments[9], std::string(" "));
        QCOMPARE(session->App().channelAssignments[0], std::string("Studio Module"));
        Finish();
    }

    void soundPickedByNameOnASplitPage() {
        // Channel 1 has the studio module from the test before.
        CMainFrame& frame = Start();
        auto* tabs = Child<QTabWidget>(frame, QStringLiteral("tabView"));
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->tabText(i) == QStringLiteral("Split 1")) {
                tabs->setCurrentIndex(i);
            }
        }
        auto* split = Child<QWidget>(frame, QStringLiteral("splitView1"));
        auto* active = Child<QCheckBox>(*split, QStringLiteral("splitActive"));
        if (!active->isChecked()) {
            active->click();
        }
        auto* program = Child<QCheckBox>(*split, QStringLiteral("programActive"));
        if (!program->isChecked()) {
            program->click();
        }
        auto* button = Child<QPushButton>(*split, QStringLiteral("selectPreset"));
        QVERIFY(button->isEnabled());
        OnNextModal([](QWidget& dialog) {
            QCOMPARE(Child<QLineEdit>(dialog, QStringLiteral("listName"))->text(),
                     QStringLiteral("Studio Module"));
            // The banks are sorted by name: "Drums" comes first.
            auto* banks = Child<QComboBox>(dialog, QStringLiteral("bankCombo"));
            QCOMPARE(banks->currentText(), QStringLiteral("Drums"));
            banks->setCurrentIndex(banks->findText(QStringLiteral("Preset A")));
            Child<QRadioButton>(dialog, QStringLiteral("sortByName"))->click();
            auto* byName = Child<QListWidget>(dialog, QStringLiteral("nameList"));
            const auto found = byName->findItems(QStringLiteral("Bright Piano"), Qt::MatchExactly);
            QCOMPARE(found.size(), 1);
            byName->setCurrentItem(found.first());
            dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        button->click();
        const presetor::Preset& preset = session->Doc().GetBank().Current();
        QCOMPARE(int(preset.programNumber[0]), 1);
        QCOMPARE(int(preset.bankMsb[0]), 81);
        QCOMPARE(int(preset.bankLsb[0]), 0);
        QCOMPARE(Child<QSpinBox>(*split, QStringLiteral("programNumber"))->value(), 2);
        QCOMPARE(Child<QPlainTextEdit>(*split, QStringLiteral("soundName"))->toPlainText(),
                 QStringLiteral("Studio Module\nPreset A\nBright Piano"));
        Finish();
    }

    void defaultsFromTheOptionsMenu() {
        CMainFrame& frame = Start();
        OnNextModal([](QWidget& sheet) {
            auto* clock = Child<QSpinBox>(sheet, QStringLiteral("clockSpin"));
            for (int i = 0; i < 35; ++i) {
                QTest::keyClick(clock, Qt::Key_Up);
            }
            sheet.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
        });
        Trigger(frame, presetor::ID_PRESET_DEFAULTS);
        QCOMPARE(session->App().bank.presetDefaults.midiClock, 60);
        Finish();

        // The next start takes them, and a new preset gets 120 BpM.
        Start();
        QCOMPARE(session->App().bank.presetDefaults.midiClock, 60);
        QCOMPARE(settings->value(QString::fromLatin1(presetor::keys::kDefaultPreset))
                     .toByteArray()
                     .size(),
                 40);
        QCOMPARE(session->Doc().GetBank().presets[0].GetMidiClock(), 120);
        Finish();
    }

    void soundListsFollowTheDiskAndReportOnce() {
        Start();
        QCOMPARE(session->App().soundLists.size(), std::size_t(1));
        auto write = [this](const QString& name, const QByteArray& text) {
            QFile file(dir.filePath(name));
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            file.write(text);
        };
        // Added while running: picked up without a restart.
        write(QStringLiteral("Added.sounds"), "name=Added Module\nbank=A,1,0\n0,Organ\n");
        QTRY_COMPARE_WITH_TIMEOUT(session->App().soundLists.size(), std::size_t(2), 5000);

        // A file with bad lines: one message naming the file and each line, once.
        QStringList messages;
        OnNextModal([&messages](QWidget& box) {
            messages.append(static_cast<QMessageBox&>(box).text());
            static_cast<QMessageBox&>(box).button(QMessageBox::Ok)->click();
        });
        write(QStringLiteral("Added.sounds"),
              "name=Added Module\nbank=A,1,0\nabc,Bad number\nbank=B,200,0\n0,Organ\n");
        QTRY_COMPARE_WITH_TIMEOUT(messages.size(), 1, 5000);
        QVERIFY2(messages[0].contains(QStringLiteral("Added.sounds")), qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(QStringLiteral("line 3: no program number")),
                 qPrintable(messages[0]));
        QVERIFY2(messages[0].contains(QStringLiteral("line 4: bank MSB 200 is outside 0 to 127")),
                 qPrintable(messages[0]));
        const auto& lists = session->App().soundLists;
        const auto added = std::find_if(lists.begin(), lists.end(),
                                        [](const auto& l) { return l.name == "Added Module"; });
        QVERIFY(added != lists.end());
        QCOMPARE(added->banks.size(), std::size_t(1)); // the good lines are kept

        // Removed: gone again, and no second message for the same problems.
        QVERIFY(QFile::remove(dir.filePath(QStringLiteral("Added.sounds"))));
        QTRY_COMPARE_WITH_TIMEOUT(session->App().soundLists.size(), std::size_t(1), 5000);
        QCOMPARE(messages.size(), 1);
        Finish();
    }

    void noSoundListsSaysWhereItLooked() {
        QTemporaryDir empty;
        std::vector<presetor::CSoundList> lists;
        presetor::ChannelAssignments assignments;
        assignments.fill(" ");
        CSelectPresetDlg dialog(lists, assignments, 1);
        const QStringList folders = presetor::SoundListFolders(empty.path());
        dialog.ShowSearchedFolders(folders);
        auto* list = Child<QListWidget>(dialog, QStringLiteral("numberList"));
        QStringList lines;
        for (int i = 0; i < list->count(); ++i) {
            lines.append(list->item(i)->text());
        }
        QCOMPARE(lines.mid(0, 3), QStringList({QStringLiteral("No Sounds available."),
                                               QStringLiteral("Because no .sound-Files"),
                                               QStringLiteral("could be found.")}));
        QCOMPARE(lines.value(3), QStringLiteral("Searched for files ending in .sounds in:"));
        QCOMPARE(lines.size(), 4 + folders.size());
        QCOMPARE(lines.value(4).trimmed(), empty.path());
        QCOMPARE(lines.value(6).trimmed(), presetor::SystemSoundListFolder());
    }

    void unreadableListIsReportedOverTheWindow() {
        const QString broken = dir.filePath(QStringLiteral("broken.sounds"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("no-such-target")), broken));
        QStringList messages;
        bool overTheWindow = false;
        OnNextModal([&messages, &overTheWindow](QWidget& box) {
            messages.append(static_cast<QMessageBox&>(box).text());
            overTheWindow = box.parentWidget() != nullptr;
            static_cast<QMessageBox&>(box).button(QMessageBox::Ok)->click();
        });
        Start();
        QFile::remove(broken);
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].contains(QStringLiteral("broken.sounds")), qPrintable(messages[0]));
        QVERIFY(overTheWindow);
        // The unreadable file is reported, not offered as a blank list.
        QCOMPARE(session->App().soundLists.size(), std::size_t(1));
        Finish();
    }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
