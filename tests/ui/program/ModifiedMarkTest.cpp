// The modified mark and the undo history in the whole program: a command that leaves the bank
// as it was marks nothing and records no step (a row dropped back on itself after a little
// movement, a file whose clock is out of range, any call of the edit seam without a change),
// and Ctrl+A saves under a new name also while a text field has the focus.
#include "PageFactory.h"
#include "ProgramStart.h"
#include "app/CMainFrame.h"
#include "app/CPresetView.h"
#include "app/CommandIds.h"
#include "app/PresetorSession.h"
#include "app/SettingsKeys.h"
#include "model/PresetFile.h"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QSettings>
#include <QSpinBox>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace presetor;

class ModifiedMarkTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PresetorSession> session;

    CMainFrame& Start() {
        PresetorParts parts;
        parts.pages = &CreatePage;
        CMainFrame& frame = StartProgram(dir, parts, settings, session, [](QSettings& s) {
            s.setValue(keys::kKeyboardMajor, 4);
            s.setValue(keys::kKeyboardMinor, 1);
        });
        frame.activateWindow();
        QApplication::setActiveWindow(&frame);
        if (!QTest::qWaitForWindowActive(&frame)) {
            qFatal("the main window is not active");
        }
        return frame;
    }
    void Finish() {
        session->Finish();
        session.reset();
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
    }

    // Pressing a row and letting go on the same row after a little movement copies nothing.
    void rowReleasedOnItself() {
        CMainFrame& frame = Start();
        CPresetView* list = frame.PresetView();
        QWidget* viewport = list->viewport();
        const QPoint row2 = list->visualItemRect(list->topLevelItem(2)).center();
        QTest::mousePress(viewport, Qt::LeftButton, {}, row2);
        QTest::mouseMove(viewport, row2 + QPoint(QApplication::startDragDistance() + 4, 1));
        QVERIFY(list->IsDragging());
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, row2 + QPoint(12, 1));
        QVERIFY(!list->IsDragging());
        QVERIFY(!session->Doc().IsModified());
        QCOMPARE(session->Doc().UndoStack().count(), 0);
        QVERIFY(!frame.isWindowModified());
        QVERIFY(!frame.Action(ID_EDIT_UNDO)->isEnabled());
        Finish();
    }

    // The edit seam itself: a change that changes nothing is no change.
    void seamIgnoresChangesWithoutEffect() {
        Start();
        CAppDoc& doc = session->Doc();
        doc.ModifyPreset(4, QStringLiteral("same name"), [](Preset& p) { p.SetName(p.GetName()); });
        doc.ModifyBank(
            QStringLiteral("copy onto itself"),
            [](Bank& b) { b.presets[7].CopyFrom(b.presets[7]); }, 1);
        QVERIFY(!doc.IsModified());
        QCOMPARE(doc.UndoStack().count(), 0);
        doc.ModifyPreset(4, QStringLiteral("rename"), [](Preset& p) { p.SetName("OTHER"); });
        QVERIFY(doc.IsModified());
        QCOMPARE(doc.UndoStack().count(), 1);
        Finish();
    }

    // A file whose current preset holds a clock the Global page cannot show opens unmodified;
    // the page shows 50 BpM and the file keeps its byte until the clock is edited.
    void fileWithOutOfRangeClockOpensUnmodified() {
        Bank bank;
        bank.SetKeyboardType(kLmk4);
        bank.LoadPresetDefaults();
        bank.presets[0].midiClock = 3;
        const QString path = dir.filePath(QStringLiteral("clock.lmk"));
        QVERIFY(SavePresetFile(QFile::encodeName(path).toStdString(), bank).ok());

        CMainFrame& frame = Start();
        QVERIFY(frame.OpenFileNoPrompt(path));
        QCoreApplication::processEvents();
        QTest::qWait(20);
        auto* clock = frame.findChild<QSpinBox*>(QStringLiteral("clock"));
        QVERIFY(clock);
        QCOMPARE(clock->text(), QStringLiteral("50"));
        QCOMPARE(int(session->App().bank.presets[0].midiClock), 3);
        QVERIFY(!session->Doc().IsModified());
        QCOMPARE(session->Doc().UndoStack().count(), 0);
        QVERIFY(!frame.isWindowModified());
        Finish();
    }

    // A number typed into a field but not yet taken counts when the window asks to save.
    void typedValueCountsBeforeTheSaveQuestion() {
        CMainFrame& frame = Start();
        auto* channel = frame.findChild<QSpinBox*>(QStringLiteral("masterChannel"));
        QVERIFY(channel && channel->isVisible());
        channel->setFocus();
        QLineEdit* edit = channel->findChild<QLineEdit*>();
        edit->selectAll();
        QTest::keyClicks(edit, QStringLiteral("7"));
        QVERIFY(!session->Doc().IsModified());
        bool asked = false;
        auto* watch = new QTimer(this);
        watch->setInterval(5);
        connect(watch, &QTimer::timeout, this, [&asked, watch] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = true;
                watch->stop();
                box->reject();
            }
        });
        watch->start();
        QVERIFY(!frame.SaveModified()); // the question came and was cancelled
        watch->stop();
        QVERIFY(asked);
        QCOMPARE(session->App().bank.Current().GetMasterChannel(), 7);
        session->Doc().SetModified(false);
        Finish();
    }

    // Ctrl+A in the name field opens Save As instead of selecting the field's text.
    void ctrlASavesAsFromATextField() {
        CMainFrame& frame = Start();
        auto* name = frame.findChild<QLineEdit*>(QStringLiteral("name"));
        QVERIFY(name && name->isVisible());
        name->setFocus();
        name->deselect();
        bool dialogShown = false;
        auto* watch = new QTimer(this);
        watch->setInterval(5);
        connect(watch, &QTimer::timeout, this, [&dialogShown, watch] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                dialogShown = true;
                watch->stop();
                dialog->reject();
            }
        });
        watch->start();
        QTest::keyClick(name, Qt::Key_A, Qt::ControlModifier);
        watch->stop();
        QVERIFY(dialogShown);
        QVERIFY(!name->hasSelectedText());
        Finish();
    }
};

QTEST_MAIN(ModifiedMarkTest)
#include "ModifiedMarkTest.moc"
