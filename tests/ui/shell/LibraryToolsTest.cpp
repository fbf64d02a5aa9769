// The window's library tools as a user drives them: .syx files opened (also by drag and drop)
// and exported in both forms, the compare dialog with its copies as undo steps, comparing with
// the keyboard without touching the document, and the MIDI monitor during a Load all and across
// starts.
#include "ShellTestEnv.h"

#include "app/CCompareDlg.h"
#include "app/CMidiMonitor.h"
#include "app/CommandIds.h"
#include "app/CommandLine.h"
#include "app/SettingsKeys.h"
#include "app/TransferCommands.h"
#include "midi/SysexFormat.h"
#include "model/FileIo.h"
#include "model/PresetFile.h"

#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMimeData>
#include <QTableWidget>
#include <QUndoStack>
#include <QUrl>
#include <QtTest>

using namespace presetor;

namespace {

void StartWith(ShellTestEnv& env, int type, bool virtualKeyboard = false) {
    env.settings->setValue(keys::kKeyboardMajor, type);
    env.settings->setValue(keys::kKeyboardMinor, type == 3 ? 4 : 1);
    if (virtualKeyboard) {
        const QString device = QStringLiteral("Virtual LMK%1").arg(type);
        env.settings->setValue(keys::kMidiIn, device);
        env.settings->setValue(keys::kMidiOut, device);
    }
    QCOMPARE(env.Start(), -1);
    env.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&env.Frame()));
}

// A bank whose presets differ from each other and from the defaults.
Bank SomeBank(int type) {
    Bank bank;
    bank.SetKeyboardType(type);
    bank.LoadPresetDefaults();
    for (int i = 0; i < bank.PresetCount(); ++i) {
        Preset& p = bank.presets[static_cast<std::size_t>(i)];
        p.SetName("P" + std::to_string(i));
        for (int s = 0; s < kSplitCount; ++s) {
            p.midiChannel[s] = static_cast<std::uint8_t>((i + s) % 16);
            p.programNumber[s] = static_cast<std::uint8_t>((i * 3 + s) % 128);
            p.bankLsb[s] = static_cast<std::uint8_t>((i + 2 * s) % 128);
            if (HasLmk4Fields(type)) {
                p.inputMode[s] = static_cast<std::uint8_t>((i + s) % 4);
                p.midiOut2[s] = static_cast<std::uint8_t>((i + s) % 2);
            }
        }
    }
    return bank;
}

Bytes Read(const QString& path) {
    Bytes bytes;
    ReadWholeFile(QFile::encodeName(path).toStdString(), bytes);
    return bytes;
}

} // namespace

class LibraryToolsTest : public QObject {
    Q_OBJECT

private slots:
    void syxExportedInBothFormsOpensAndSavesByteIdentical_data() {
        QTest::addColumn<int>("type");
        QTest::newRow("LMK3") << 3;
        QTest::newRow("LMK4") << 4;
    }

    void syxExportedInBothFormsOpensAndSavesByteIdentical() {
        QFETCH(int, type);
        ShellTestEnv env;
        StartWith(env, type == 3 ? 4 : 3); // the file switches the type
        const QString lmk = env.Path(QStringLiteral("bank.lmk"));
        QVERIFY(SavePresetFile(QFile::encodeName(lmk).toStdString(), SomeBank(type)));
        QVERIFY(env.Frame().OpenFileNoPrompt(lmk));
        for (const bool bulk : {true, false}) {
            const QString syx =
                env.Path(bulk ? QStringLiteral("bulk.syx") : QStringLiteral("single.syx"));
            QVERIFY(env.Frame().ExportSysex(syx, bulk));
            QCOMPARE(Read(syx).size(), bulk ? BulkDumpSize(PresetCountFor(type))
                                            : kSingleDumpSize * PresetCountFor(type));
            env.Doc().NewDocument();
            QVERIFY(env.Frame().OpenFileNoPrompt(syx));
            QCOMPARE(env.Doc().Title(), QStringLiteral("Untitled"));
            QVERIFY(!env.Doc().IsModified());
            QCOMPARE(env.Doc().GetBank().keyboardType, type);
            QCOMPARE(env.settings->value(keys::kKeyboardMajor).toInt(), type);
            const QString saved = env.Path(QStringLiteral("saved.lmk"));
            QVERIFY(env.Doc().SaveDocument(saved).ok());
            QVERIFY(Read(saved) == Read(lmk));
        }
    }

    void aSyxFileOnTheCommandLineOpensUntitled() {
        ShellTestEnv env;
        env.settings->setValue(keys::kKeyboardMajor, 3);
        const QString syx = env.Path(QStringLiteral("start.syx"));
        QVERIFY(
            WriteFileAtomically(QFile::encodeName(syx).toStdString(), BuildBulkDump(SomeBank(4))));
        QCOMPARE(env.Start(CommandLine::Parse({QStringLiteral("presetor"), syx})), -1);
        QCOMPARE(env.Doc().Title(), QStringLiteral("Untitled"));
        QCOMPARE(env.Doc().GetBank().keyboardType, 4);
        QCOMPARE(env.Doc().GetBank().presets[5].GetName(), std::string("P5"));
    }

    void aDamagedSyxIsRefusedWithItsNameAndChangesNothing() {
        ShellTestEnv env;
        StartWith(env, 3);
        env.Doc().ModifyPreset(0, QStringLiteral("rename"), [](Preset& p) { p.SetName("MINE"); });
        const QString syx = env.Path(QStringLiteral("cut.syx"));
        Bytes dump = BuildSingleDump(env.Doc().GetBank().presets[0], 3, kLmk3Header, 1);
        dump.resize(100);
        QVERIFY(WriteFileAtomically(QFile::encodeName(syx).toStdString(), dump));
        QString text;
        AnswerNextMessageBox(QMessageBox::Ok, &text);
        QVERIFY(!env.Frame().OpenFileNoPrompt(syx));
        QVERIFY2(text.contains(QStringLiteral("cut.syx")) && text.contains(QStringLiteral("F7")),
                 qPrintable(text));
        QCOMPARE(env.Doc().GetBank().presets[0].GetName(), std::string("MINE"));
        QVERIFY(env.Doc().IsModified());
    }

    void droppedFilesOpenAfterTheSavePrompt() {
        ShellTestEnv env;
        StartWith(env, 3);
        const QString lmk = env.Path(QStringLiteral("dropped.lmk"));
        QVERIFY(SavePresetFile(QFile::encodeName(lmk).toStdString(), SomeBank(4)));
        env.Doc().ModifyPreset(0, QStringLiteral("rename"), [](Preset& p) { p.SetName("MINE"); });

        QMimeData mime;
        mime.setUrls({QUrl::fromLocalFile(lmk)});
        QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &mime, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(&env.Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QString question;
        AnswerNextMessageBox(QMessageBox::No, &question);
        QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&env.Frame(), &drop);
        QTRY_COMPARE(env.Doc().Title(), QStringLiteral("dropped.lmk"));
        QVERIFY(question.contains(QStringLiteral("Save changes")));
        QCOMPARE(env.Doc().GetBank().keyboardType, 4);

        // Other files are not taken.
        QMimeData text;
        text.setUrls({QUrl::fromLocalFile(env.Path(QStringLiteral("notes.txt")))});
        QDragEnterEvent other(QPoint(50, 50), Qt::CopyAction, &text, Qt::LeftButton,
                              Qt::NoModifier);
        other.ignore();
        QApplication::sendEvent(&env.Frame(), &other);
        QVERIFY(!other.isAccepted());
    }

    void compareCopiesAPresetOrOneFieldAsOneUndoStepEach() {
        ShellTestEnv env;
        StartWith(env, 4);
        Bank other = env.Doc().GetBank();
        other.presets[6].SetMidiChannel(2, 5);
        other.presets[6].volume[4] = 33;
        other.presets[9].SetName("OTHER");
        CCompareDlg dialog(env.Doc(), other, QStringLiteral("other.lmk"), &env.Frame());
        QCOMPARE(dialog.Diff().presets.size(), std::size_t(2));
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("presetList"));
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("fieldTable"));
        QVERIFY(list && table);
        QCOMPARE(list->item(0)->text(), QStringLiteral("1.7 (7) INITPRES"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("2.2 (10) INITPRES / OTHER"));
        QCOMPARE(table->rowCount(), 2);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Split 3: MIDI-Channel"));
        QCOMPARE(table->item(0, 1)->text() + " / " + table->item(0, 2)->text(),
                 QStringLiteral("3 / 5"));

        // One field: only it changes, as one undo step.
        const int steps = env.Doc().UndoStack().count();
        dialog.SelectField(0);
        dialog.CopyField();
        QCOMPARE(env.Doc().GetBank().presets[6].GetMidiChannel(2), 5);
        QVERIFY(env.Doc().GetBank().presets[6].volume[4] != 33);
        QCOMPARE(env.Doc().UndoStack().count(), steps + 1);
        QCOMPARE(table->rowCount(), 1); // compared again

        // A whole preset.
        QVERIFY(dialog.SelectPreset(9));
        dialog.CopyPreset();
        QCOMPARE(env.Doc().GetBank().presets[9].GetName(), std::string("OTHER"));
        QCOMPARE(env.Doc().UndoStack().count(), steps + 2);
        QCOMPARE(dialog.Diff().presets.size(), std::size_t(1));
        env.Doc().UndoStack().undo();
        QCOMPARE(env.Doc().GetBank().presets[9].GetName(), std::string("INITPRES"));
    }

    void compareWithTheKeyboardNeverTouchesTheDocument() {
        ShellTestEnv env;
        StartWith(env, 3, true);
        env.App().Midi().Virtual(3).WithKeyboard(
            [](VirtualKeyboard& k) { k.GetBank().presets[4].SetName("KEYS"); });
        const Bank before = env.Doc().GetBank();
        std::size_t differing = 0;
        QString shown;
        // The load's progress window comes first; the comparison opens once the bank is in.
        QTimer watch;
        watch.setInterval(5);
        QObject::connect(&watch, &QTimer::timeout, [&] {
            if (auto* dialog = qobject_cast<CCompareDlg*>(QApplication::activeModalWidget())) {
                watch.stop();
                differing = dialog->Diff().presets.size();
                shown =
                    dialog->findChild<QListWidget*>(QStringLiteral("presetList"))->item(0)->text();
                dialog->reject();
            }
        });
        watch.start();
        env.Frame().Action(ID_COMPARE_KEYBOARD)->trigger();
        QCOMPARE(differing, std::size_t(1));
        QCOMPARE(shown, QStringLiteral("1.5 (5) INITPRES / KEYS"));
        QVERIFY(env.Doc().GetBank().SameContents(before));
        QVERIFY(!env.Doc().IsModified());
    }

    void monitorListsALoadAllOnlyWhileShown() {
        ShellTestEnv env;
        StartWith(env, 3, true);
        CMidiMonitor* monitor = env.Frame().MidiMonitor();
        QVERIFY(!monitor->isVisible());
        QVERIFY(!monitor->IsListening());
        env.Frame().Action(ID_VIEW_MIDI_MONITOR)->trigger();
        QTRY_VERIFY(monitor->isVisible());
        QVERIFY(monitor->IsListening());

        QVERIFY(env.Frame().Transfers().OnLoadAll());
        const auto& entries = monitor->Log().Entries();
        QCOMPARE(entries.size(), std::size_t(128));
        QCOMPARE(entries.front().meaning, std::string("request preset 1"));
        QCOMPARE(entries.back().meaning, std::string("single dump 8.8 (64), checksum ok"));
        QCOMPARE(entries.back().port, std::string("Virtual LMK3"));

        const QString text = env.Path(QStringLiteral("monitor.txt"));
        QString error;
        QVERIFY2(monitor->SaveText(text, &error), qPrintable(error));
        QFile saved(text);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        const QString lines = QString::fromUtf8(saved.readAll());
        QCOMPARE(lines.count(QLatin1Char('\n')), 128);
        QVERIFY(lines.contains(QStringLiteral(
            "\tsent\tVirtual LMK3\t9\tF0 00 44 26 41 03 03 01 F7\trequest preset 1\n")));

        monitor->Clear();
        QCOMPARE(monitor->Log().Entries().size(), std::size_t(0));
        env.Frame().Action(ID_VIEW_MIDI_MONITOR)->trigger();
        QTRY_VERIFY(!monitor->isVisible());
        QVERIFY(!monitor->IsListening());
        QVERIFY(env.Frame().Transfers().OnSendPreset());
        QCOMPARE(monitor->Log().Entries().size(), std::size_t(0));
    }

    void monitorIsMadeWhenFirstShownAndComesBackWhereItWasLeft() {
        ShellTestEnv env;
        StartWith(env, 4);
        // Nothing of the monitor exists before it is asked for.
        QVERIFY(env.Frame().findChild<CMidiMonitor*>() == nullptr);
        QAction* show = env.Frame().Action(ID_VIEW_MIDI_MONITOR);
        QVERIFY(!show->isChecked());
        show->trigger();
        CMidiMonitor* monitor = env.Frame().findChild<CMidiMonitor*>();
        QVERIFY(monitor != nullptr);
        QTRY_VERIFY(monitor->isVisible());
        QVERIFY(show->isChecked());
        QCOMPARE(env.Frame().dockWidgetArea(monitor), Qt::BottomDockWidgetArea);
        env.Frame().addDockWidget(Qt::TopDockWidgetArea, monitor); // the user moves it
        QVERIFY(env.Frame().close());
        env.Finish();

        // Left open: the next start shows it again, where it was.
        env.NewSettings();
        StartWith(env, 4);
        monitor = env.Frame().findChild<CMidiMonitor*>();
        QVERIFY(monitor != nullptr);
        QTRY_VERIFY(monitor->isVisible());
        QVERIFY(env.Frame().Action(ID_VIEW_MIDI_MONITOR)->isChecked());
        QCOMPARE(env.Frame().dockWidgetArea(monitor), Qt::TopDockWidgetArea);
        env.Frame().Action(ID_VIEW_MIDI_MONITOR)->trigger();
        QTRY_VERIFY(!monitor->isVisible());
        QVERIFY(env.Frame().close());
        env.Finish();

        // Closed: the next start makes none; opened later it goes where it was.
        env.NewSettings();
        StartWith(env, 4);
        QVERIFY(env.Frame().findChild<CMidiMonitor*>() == nullptr);
        env.Frame().Action(ID_VIEW_MIDI_MONITOR)->trigger();
        monitor = env.Frame().findChild<CMidiMonitor*>();
        QVERIFY(monitor != nullptr);
        QTRY_VERIFY(monitor->isVisible());
        QCOMPARE(env.Frame().dockWidgetArea(monitor), Qt::TopDockWidgetArea);
    }
};

QTEST_MAIN(LibraryToolsTest)
#include "LibraryToolsTest.moc"
