// The main window as a user drives it: the preset list's rows, their look and drag-and-drop copy,
// the keyboard switch, F9 only for the LMK4, the save prompt of New, Open, Exit and the switch, a
// rejected file that changes nothing, the bank commands, the tabs (made when first shown,
// recoloured in place, sized for their bold labels) and undo.
#include "ShellTestEnv.h"

#include "app/CDestinationPresetDlg.h"
#include "app/CPresetView.h"
#include "app/CTabView.h"
#include "app/CommandIds.h"
#include "app/FileNames.h"
#include "app/PresetListDelegate.h"
#include "app/SettingsKeys.h"
#include "model/PresetFile.h"

#include "app/PixelFile.h"
#include "app/SvgIcon.h"
#include <QFileDialog>

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QSvgRenderer>
#include <QTabBar>
#include <QtTest>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <vector>

using namespace presetor;

namespace {

// A started session of the given keyboard type with its window shown and active.
void StartWith(ShellTestEnv& env, int type) {
    env.settings->setValue(keys::kKeyboardMajor, type);
    env.settings->setValue(keys::kKeyboardMinor, type == 3 ? 4 : 1);
    QCOMPARE(env.Start(), -1);
    env.Frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&env.Frame()));
}

QPoint RowCentre(CPresetView* view, int row) {
    return view->visualItemRect(view->topLevelItem(row)).center();
}

// Counts the paint events of the widget it watches.
class PaintCount final : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

void Rename(CAppDoc& doc, int index, const char* name) {
    doc.ModifyPreset(index, QStringLiteral("rename"), [name](Preset& p) { p.SetName(name); });
}

} // namespace

class MainFrameTest : public QObject {
    Q_OBJECT

private slots:
    void rowsShowNameAndPositionAndFollowTheKeyboardSwitch() {
        ShellTestEnv env;
        StartWith(env, 3);
        CPresetView* list = env.Frame().PresetView();
        QCOMPARE(list->topLevelItemCount(), 64);
        QCOMPARE(list->topLevelItem(0)->text(1), QStringLiteral("1.1 (1)"));
        QCOMPARE(list->topLevelItem(9)->text(1), QStringLiteral("2.2 (10)"));
        QCOMPARE(list->topLevelItem(63)->text(1), QStringLiteral("8.8 (64)"));
        QCOMPARE(list->headerItem()->text(0), QStringLiteral("Name"));
        QCOMPARE(list->headerItem()->text(1), QStringLiteral("Number"));
        QVERIFY(!env.Frame().Action(ID_SAVE_EEPROM)->isEnabled());
        QVERIFY(env.Frame().Action(ID_KEYBOARD_LMK3)->isChecked());

        // Choosing the type that is current asks nothing.
        env.Frame().Action(ID_KEYBOARD_LMK3)->trigger();
        QVERIFY(QApplication::activeModalWidget() == nullptr);

        list->setCurrentItem(list->topLevelItem(20));
        QCOMPARE(env.App().bank.currentPreset, 20);
        // A switch by key repaints rows, not the header above them.
        PaintCount header;
        list->header()->viewport()->installEventFilter(&header);
        QApplication::processEvents();
        header.paints = 0;
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QApplication::processEvents();
        QCOMPARE(env.App().bank.currentPreset, 21);
        QCOMPARE(header.paints, 0);

        // No keeps everything, the radio mark included.
        QString question;
        AnswerNextMessageBox(QMessageBox::No, &question);
        env.Frame().Action(ID_KEYBOARD_LMK4)->trigger();
        QVERIFY(question.startsWith(QStringLiteral("You want to change the Type of Keyboard.")));
        QCOMPARE(env.App().bank.keyboardType, 3);
        QVERIFY(env.Frame().Action(ID_KEYBOARD_LMK3)->isChecked());
        QVERIFY(!env.Frame().Action(ID_KEYBOARD_LMK4)->isChecked());

        Rename(env.Doc(), 5, "OLDNAME5");
        QCOMPARE(list->topLevelItem(5)->text(0), QStringLiteral("OLDNAME5"));
        // Yes to the switch, then No to saving the renamed bank.
        auto texts = std::make_shared<QStringList>();
        AnswerBoxes({QStringLiteral("Yes"), QStringLiteral("No")}, texts);
        env.Frame().Action(ID_KEYBOARD_LMK4)->trigger();
        QCOMPARE(texts->size(), 2);
        QCOMPARE(env.App().bank.keyboardType, 4);
        // Rows kept from the smaller bank and rows added alike show the new bank's names.
        for (int i = 0; i < 127; ++i) {
            QCOMPARE(list->topLevelItem(i)->text(0),
                     QString::fromLatin1(env.App().bank.presets[i].GetName().c_str()));
        }
        QVERIFY(list->topLevelItem(5)->text(0) != QStringLiteral("OLDNAME5"));
        QCOMPARE(env.settings->value(keys::kKeyboardMajor).toInt(), 4);
        QCOMPARE(env.settings->value(keys::kKeyboardMinor).toInt(), 1);
        QCOMPARE(list->topLevelItemCount(), 127);
        QCOMPARE(list->topLevelItem(126)->text(1), QStringLiteral("16.7 (127)"));
        QCOMPARE(env.App().bank.currentPreset, 0);
        QCOMPARE(list->currentItem(), list->topLevelItem(0));
        QCOMPARE(env.Frame().KeyboardIndicatorPane()->text(), QStringLiteral("LMK4/4+"));
        QVERIFY(env.Frame().Action(ID_KEYBOARD_LMK4)->isChecked());
        QVERIFY(env.Frame().Action(ID_SAVE_EEPROM)->isEnabled());
    }

    void f9StoresInEepromOnlyOnTheLmk4() {
        ShellTestEnv env;
        StartWith(env, 3);
        env.App().midiOutDevice = 1; // the virtual LMK4
        QVERIFY(env.App().OpenMidiOut());
        const auto stores = [&env] {
            env.App().Midi().Virtual(4).Flush();
            return env.App().Midi().Virtual(4).WithKeyboard(
                [](VirtualKeyboard& k) { return k.GetCounters().eepromStores; });
        };
        env.Press(Qt::Key_F9);
        QTest::qWait(50);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        QCOMPARE(stores(), 0);

        AnswerNextMessageBox(QMessageBox::Yes);
        env.Frame().Action(ID_KEYBOARD_LMK4)->trigger();
        QString info;
        AnswerNextMessageBox(QMessageBox::Ok, &info);
        QVERIFY(env.Frame().Action(ID_SAVE_EEPROM)->isEnabled());
        env.Press(Qt::Key_F9);
        QCOMPARE(stores(), 1);
        QVERIFY(info.startsWith(QStringLiteral("Please wait with further transmissions")));
    }

    void dragAndDropCopiesOntoTheRowUnderTheCursor() {
        ShellTestEnv env;
        StartWith(env, 3);
        CPresetView* list = env.Frame().PresetView();
        QWidget* viewport = list->viewport();
        Rename(env.Doc(), 5, "DRAGME");
        env.Doc().ModifyPreset(5, QStringLiteral("unlink"), [](Preset& p) { p.linkPreset = 5; });
        list->scrollToTop();

        // The first drag goes through the window, as the mouse does, so the grab decides which
        // widget gets the moves and the release.
        QWindow* window = env.Frame().windowHandle();
        const auto inWindow = [&](int row, QPoint offset = {}) {
            return viewport->mapTo(&env.Frame(), RowCentre(list, row) + offset);
        };
        QTest::mousePress(window, Qt::LeftButton, {}, inWindow(5));
        QCOMPARE(env.App().bank.currentPreset, 5);
        QTest::mouseMove(window, inWindow(8));
        QVERIFY(list->IsDragging());
        QVERIFY(list->DragImage() && list->DragImage()->isVisible());
        QTest::mouseMove(window, inWindow(12, QPoint(60, 0)));
        QCOMPARE(list->DropTarget(), 12);
        QCOMPARE(list->DragImage()->pos(),
                 viewport->mapToGlobal(RowCentre(list, 12) + QPoint(60, 0)) - QPoint(8, 8));
        QTest::mouseRelease(window, Qt::LeftButton, {}, inWindow(12));
        QVERIFY(!QWidget::mouseGrabber());

        QVERIFY(!list->IsDragging());
        QVERIFY(list->DragImage() == nullptr);
        QCOMPARE(list->DropTarget(), -1);
        const Bank& bank = env.App().bank;
        QCOMPARE(bank.presets[12].GetName(), std::string("DRAGME"));
        QCOMPARE(int(bank.presets[12].linkPreset), 5);
        QCOMPARE(list->topLevelItem(12)->text(0), QStringLiteral("DRAGME"));
        QCOMPARE(bank.currentPreset, 5);
        QVERIFY(env.Doc().IsModified());

        // One undo step takes the copy back.
        env.Frame().Action(ID_EDIT_UNDO)->trigger();
        QCOMPARE(bank.presets[12].GetName(), std::string("INITPRES"));
        QCOMPARE(list->topLevelItem(12)->text(0), QStringLiteral("INITPRES"));

        // Released over the header: nothing copied, nothing left highlighted.
        QTest::mousePress(viewport, Qt::LeftButton, {}, RowCentre(list, 5));
        QTest::mouseMove(viewport, RowCentre(list, 9));
        QCOMPARE(list->DropTarget(), 9);
        const QPoint overHeader(20, -list->header()->height() / 2);
        QTest::mouseMove(viewport, overHeader);
        QCOMPARE(list->DropTarget(), -1);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, overHeader);
        QVERIFY(!list->IsDragging());
        QCOMPARE(bank.presets[9].GetName(), std::string("INITPRES"));
        QCOMPARE(list->topLevelItem(9)->background(0), QBrush());

        // Held at the bottom edge the list scrolls, so a far row can be reached.
        QTest::mousePress(viewport, Qt::LeftButton, {}, RowCentre(list, 5));
        const QPoint bottom(20, viewport->height() - 2);
        for (int i = 0; i < 80 && !viewport->rect().contains(RowCentre(list, 63)); ++i) {
            QTest::mouseMove(viewport, bottom + QPoint(i % 2, 0));
        }
        QTest::mouseMove(viewport, RowCentre(list, 63));
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, RowCentre(list, 63));
        QCOMPARE(bank.presets[63].GetName(), std::string("DRAGME"));
    }

    void newOpenAndExitAskToSaveAModifiedDocument() {
        ShellTestEnv env;
        StartWith(env, 3);
        CMainFrame& frame = env.Frame();
        const Bank& bank = env.App().bank;

        // Not modified: New asks nothing.
        frame.Action(ID_FILE_NEW)->trigger();
        QVERIFY(!env.Doc().IsModified());

        Rename(env.Doc(), 3, "EDITED");
        QVERIFY(env.Doc().IsModified());
        QVERIFY(frame.isWindowModified());
        QString prompt;
        AnswerNextMessageBox(QMessageBox::Cancel, &prompt);
        frame.Action(ID_FILE_NEW)->trigger();
        QCOMPARE(prompt, QStringLiteral("Save changes to Untitled?"));
        QCOMPARE(bank.presets[3].GetName(), std::string("EDITED"));
        QVERIFY(env.Doc().IsModified());

        AnswerNextMessageBox(QMessageBox::No);
        frame.Action(ID_FILE_NEW)->trigger();
        QCOMPARE(bank.presets[3].GetName(), std::string("INITPRES"));
        QVERIFY(!env.Doc().IsModified());

        // Open with Yes saves the document to its file first.
        const QString a = env.Path(QStringLiteral("a.lmk"));
        const QString b = env.Path(QStringLiteral("b.lmk"));
        Bank other;
        other.SetKeyboardType(3);
        other.LoadPresetDefaults();
        other.presets[0].SetName("FILE B");
        QVERIFY(SavePresetFile(b.toStdString(), other).ok());
        QVERIFY(env.Doc().SaveDocument(a).ok());
        Rename(env.Doc(), 7, "SAVEDME");
        AnswerNextMessageBox(QMessageBox::Yes, &prompt);
        QVERIFY(frame.OpenFile(b));
        QCOMPARE(prompt, QStringLiteral("Save changes to a.lmk?"));
        QCOMPARE(bank.presets[0].GetName(), std::string("FILE B"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("b.lmk"));
        Bank check;
        QVERIFY(LoadPresetFile(a.toStdString(), check).ok());
        QCOMPARE(check.presets[7].GetName(), std::string("SAVEDME"));

        // Exit: Cancel keeps the window (its placement is stored all the same), No closes.
        env.settings->remove(keys::kWindowPos);
        Rename(env.Doc(), 1, "UNSAVED");
        AnswerNextMessageBox(QMessageBox::Cancel);
        QVERIFY(!frame.close());
        QVERIFY(frame.isVisible());
        QVERIFY(env.settings->contains(keys::kWindowPos));
        AnswerNextMessageBox(QMessageBox::No);
        QVERIFY(frame.close());
    }

    void keyboardSwitchAsksToSaveAfterQuestion148() {
        ShellTestEnv env;
        StartWith(env, 3);
        Rename(env.Doc(), 0, "KEEPME");
        QString savePrompt;
        OnNextModal([&savePrompt](QWidget* question148) {
            // The save prompt is answered once question 148 has closed.
            AnswerNextMessageBox(QMessageBox::Cancel, &savePrompt);
            static_cast<QMessageBox*>(question148)->button(QMessageBox::Yes)->click();
        });
        env.Frame().Action(ID_KEYBOARD_LMK4)->trigger();
        QCOMPARE(savePrompt, QStringLiteral("Save changes to Untitled?"));
        QCOMPARE(env.App().bank.keyboardType, 3);
        QCOMPARE(env.App().bank.presets[0].GetName(), std::string("KEEPME"));
        QVERIFY(env.Frame().Action(ID_KEYBOARD_LMK3)->isChecked());
    }

    void aRejectedFileChangesNothing() {
        ShellTestEnv env;
        StartWith(env, 4);
        const QString good = env.Path(QStringLiteral("good.lmk"));
        Rename(env.Doc(), 50, "MINE");
        QVERIFY(env.Doc().SaveDocument(good).ok());
        const Bank before = env.App().bank;
        const QString bad = env.Path(QStringLiteral("bad.lmk"));
        QFile file(bad);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("LMK3V"));
        file.close();
        QString text;
        AnswerNextMessageBox(QMessageBox::Ok, &text);
        QVERIFY(!env.Frame().OpenFile(bad));
        QCOMPARE(
            text,
            QStringLiteral("'%1': too short: 5 bytes, a preset file has 9158 or 22358").arg(bad));
        QVERIFY(env.App().bank.SameContents(before));
        QCOMPARE(env.App().bank.keyboardType, 4);
        QCOMPARE(env.Doc().PathName(), QFileInfo(good).absoluteFilePath());
        QCOMPARE(env.Doc().Title(), QStringLiteral("good.lmk"));
    }

    void savingOverAReadOnlyFileRefusesAndOffersSaveAs() {
        ShellTestEnv env;
        StartWith(env, 3);
        const QString file = env.Path(QStringLiteral("locked.lmk"));
        QVERIFY(env.Doc().SaveDocument(file).ok());
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::ReadGroup));
        Rename(env.Doc(), 0, "CHANGED");
        QString text;
        bool saveAsOffered = false;
        OnNextModal([&](QWidget* box) {
            text = static_cast<QMessageBox*>(box)->text();
            // Then the Save As dialog: the user cancels it.
            OnNextModal([&saveAsOffered](QWidget* dialog) {
                saveAsOffered = qobject_cast<QFileDialog*>(dialog) != nullptr;
                static_cast<QDialog*>(dialog)->reject();
            });
            static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
        });
        env.Frame().Action(ID_FILE_SAVE)->trigger();
        QVERIFY2(text.contains(file) && text.contains(QStringLiteral("read-only")),
                 qPrintable(text));
        QTRY_VERIFY(saveAsOffered);
        QVERIFY(env.Doc().IsModified());
        Bank onDisk;
        QVERIFY(LoadPresetFile(file.toStdString(), onDisk).ok());
        QVERIFY(onDisk.presets[0].GetName() != "CHANGED");
        QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void fileNamesThatAreNotUtf8OpenAndSaveUnderTheirOwnName() {
        ShellTestEnv env;
        const std::string bytes = (env.dir.path() + QStringLiteral("/Fl")).toStdString() + "\xFC" +
                                  "gel.lmk"; // Latin-1, not valid UTF-8
        Bank bank;
        bank.SetKeyboardType(4);
        bank.LoadPresetDefaults();
        bank.presets[0].SetName("ONDISK");
        QVERIFY(SavePresetFile(bytes, bank).ok());
        const QString name = FileNameFromBytes(QByteArray::fromStdString(bytes));
        QCOMPARE(FileNameBytes(name).toStdString(), bytes);
        QCOMPARE(env.Start(CommandLine::Parse({QStringLiteral("presetor"), name})), -1);
        QCOMPARE(env.App().bank.presets[0].GetName(), std::string("ONDISK"));
        QCOMPARE(env.Doc().Title(), QStringLiteral("Fl\uFFFDgel.lmk"));
        Rename(env.Doc(), 0, "SAVED");
        env.Frame().Action(ID_FILE_SAVE)->trigger();
        QVERIFY(!env.Doc().IsModified());
        Bank again;
        QVERIFY(LoadPresetFile(bytes, again).ok());
        QCOMPARE(again.presets[0].GetName(), std::string("SAVED"));
        int files = 0;
        for (const auto& entry : std::filesystem::directory_iterator(env.dir.path().toStdString()))
            files += entry.path().extension() == ".lmk" ? 1 : 0;
        QCOMPARE(files, 1); // saved under the same name, not a look-alike

        // The recent-file list keeps the name over a restart.
        env.Finish();
        env.NewSettings();
        QCOMPARE(env.Start(), -1);
        QCOMPARE(env.Frame().Recent().Files().value(0), name);
    }

    void bankCommandsAskForTheDestination() {
        ShellTestEnv env;
        StartWith(env, 4);
        CPresetView* list = env.Frame().PresetView();
        Rename(env.Doc(), 2, "SOURCE");
        list->setCurrentItem(list->topLevelItem(2));
        QCOMPARE(env.App().bank.currentPreset, 2);
        // Controls of the page shown whose mnemonics a command or a menu title also claims.
        QWidget* page = env.Frame().TabView()->widget(0);
        auto* clockLabel = new QLabel(QStringLiteral("Midi-&Clock:"), page);
        clockLabel->setBuddy(new QSpinBox(page));
        auto* switchLabel = new QLabel(QStringLiteral("&Presetswitch:"), page);
        auto* presetSwitch = new QSpinBox(page);
        switchLabel->setBuddy(presetSwitch);
        for (QWidget* control : page->findChildren<QWidget*>()) {
            control->show();
        }

        // The spin runs over the whole LMK4 bank and shows name and position.
        QString prompt;
        QString last;
        OnNextModal([&](QWidget* modal) {
            auto* spin = modal->findChild<QSpinBox*>(QStringLiteral("presetSpin"));
            prompt = modal->findChild<QLabel*>(QStringLiteral("prompt"))->text();
            QCOMPARE(spin->value(), 0);
            QCOMPARE(spin->maximum(), 126);
            spin->setValue(126);
            last = spin->text();
            spin->setValue(9);
            static_cast<QDialog*>(modal)->accept();
        });
        env.Press(Qt::Key_C, Qt::AltModifier);
        QCOMPARE(prompt, QStringLiteral("Please choose the preset which should be overwritten."));
        QCOMPARE(last, QStringLiteral("INITPRES - 16.7 (127)"));
        QCOMPARE(env.App().bank.presets[9].GetName(), std::string("SOURCE"));
        QCOMPARE(list->topLevelItem(9)->text(0), QStringLiteral("SOURCE"));
        QCOMPARE(env.App().bank.currentPreset, 2);

        // Cancel changes nothing and adds no undo step; the key copies every time it is pressed.
        const int steps = env.Doc().UndoStack().count();
        bool asked = false;
        OnNextModal([&asked](QWidget* modal) {
            asked = true;
            static_cast<QDialog*>(modal)->reject();
        });
        env.Press(Qt::Key_C, Qt::AltModifier);
        QVERIFY(asked);
        QCOMPARE(env.Doc().UndoStack().count(), steps);
        // A menu title gives way to the page's control, every time.
        for (int press = 0; press < 2; ++press) {
            env.Press(Qt::Key_P, Qt::AltModifier);
            QVERIFY(!QApplication::activePopupWidget());
            QVERIFY(presetSwitch->hasFocus());
            env.Frame().PresetView()->setFocus();
        }

        // Insert moves the current preset and shifts the ones between.
        OnNextModal([](QWidget* modal) {
            modal->findChild<QSpinBox*>(QStringLiteral("presetSpin"))->setValue(5);
            static_cast<QDialog*>(modal)->accept();
        });
        env.Press(Qt::Key_I, Qt::AltModifier);
        QCOMPARE(env.App().bank.presets[5].GetName(), std::string("SOURCE"));
        QCOMPARE(env.App().bank.presets[2].GetName(), std::string("INITPRES"));

        // Reset asks first; No keeps the preset.
        list->setCurrentItem(list->topLevelItem(9));
        QString question;
        AnswerNextMessageBox(QMessageBox::No, &question);
        env.Press(Qt::Key_F8);
        QCOMPARE(question,
                 QStringLiteral("Are you sure to reset this Preset to it's default settings?"));
        QCOMPARE(env.App().bank.presets[9].GetName(), std::string("SOURCE"));
        AnswerNextMessageBox(QMessageBox::Yes);
        env.Press(Qt::Key_F8);
        QCOMPARE(env.App().bank.presets[9].GetName(), std::string("INITPRES"));

        // Link all makes one ring; Ctrl+Z and Ctrl+Y step through it.
        env.Frame().Action(ID_LINK_ALL)->trigger();
        QCOMPARE(int(env.App().bank.presets[126].linkPreset), 0);
        QCOMPARE(int(env.App().bank.presets[0].linkPreset), 1);
        env.Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(int(env.App().bank.presets[0].linkPreset), 0);
        env.Press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(int(env.App().bank.presets[0].linkPreset), 1);
    }

    void undoingBackToTheSavedStateClearsTheModifiedMark() {
        ShellTestEnv env;
        StartWith(env, 3);
        QVERIFY(env.Doc().SaveDocument(env.Path(QStringLiteral("u.lmk"))).ok());
        env.Doc().ModifyPreset(
            0, QStringLiteral("clock"), [](Preset& p) { p.midiClock = 30; }, 7);
        env.Doc().ModifyPreset(
            0, QStringLiteral("clock"), [](Preset& p) { p.midiClock = 31; }, 7);
        QCOMPARE(env.Doc().UndoStack().count(), 1); // one control held down is one step
        QVERIFY(env.Doc().IsModified());
        // Ctrl+Z steps the document back also while a text field has the focus.
        auto* field = new QLineEdit(env.Frame().TabView()->widget(0));
        field->show();
        field->setFocus();
        QTest::keyClicks(field, QStringLiteral("abc"));
        QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(field->text(), QStringLiteral("abc"));
        QVERIFY(!env.Doc().IsModified());
        QVERIFY(!env.Frame().isWindowModified());
        QCOMPARE(int(env.App().bank.presets[0].midiClock), 25);
    }

    void listRowsLookAsTheStylePaintsThem() {
        // The list paints its cells itself; each state must look as the style's own item
        // painting draws it: plain, selected in an active and an inactive window, the drop
        // highlight, a disabled list, and a column too narrow for its texts ("...").
        ShellTestEnv env;
        StartWith(env, 4);
        CPresetView* list = env.Frame().PresetView();
        Rename(env.Doc(), 2, "WWWWWWWW");
        env.Doc().SetCurrentPreset(1);
        list->scrollToTop();
        QTreeWidgetItem* highlighted = list->topLevelItem(3);
        for (int c = 0; c < 2; ++c) {
            highlighted->setBackground(c, list->palette().color(QPalette::Highlight).lighter(150));
            highlighted->setForeground(c, list->palette().color(QPalette::HighlightedText));
        }
        QAbstractItemDelegate* own = list->itemDelegate();
        QStyledItemDelegate styled;
        const auto paintedAsStyle = [&] {
            const QImage painted = list->viewport()->grab().toImage();
            list->setItemDelegate(&styled);
            const QImage byStyle = list->viewport()->grab().toImage();
            list->setItemDelegate(own);
            return painted == byStyle;
        };
        QVERIFY2(paintedAsStyle(), "active");
        QVERIFY(QTest::qWaitForWindowActive(&env.Frame()));
        QWidget other;
        other.show();
        other.activateWindow();
        QApplication::setActiveWindow(&other);
        QTRY_VERIFY(!env.Frame().isActiveWindow());
        QVERIFY2(paintedAsStyle(), "inactive");
        list->setEnabled(false);
        QVERIFY2(paintedAsStyle(), "disabled");
        list->setEnabled(true);
        list->setColumnWidth(0, list->fontMetrics().horizontalAdvance(QStringLiteral("WWWW")));
        QVERIFY2(paintedAsStyle(), "narrow");
    }

    // The list draws its rows itself, not through the tree view's painting (which asks the
    // display server where the pointer is on every paint): they must look as a tree view with
    // the same columns, cells and rows paints them: the current row with and without the focus,
    // current and selected rows apart, the drop highlight, scrolled, and disabled.
    void listRowsLookAsTheTreeViewPaintsThem() {
        ShellTestEnv env;
        StartWith(env, 4);
        CPresetView* list = env.Frame().PresetView();
        env.Doc().SetCurrentPreset(1);
        QTreeWidget twin(&env.Frame());
        twin.setColumnCount(2);
        twin.setRootIsDecorated(false);
        twin.setItemsExpandable(false);
        twin.setUniformRowHeights(true);
        twin.setSelectionBehavior(QAbstractItemView::SelectRows);
        twin.setAllColumnsShowFocus(true);
        twin.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        twin.header()->setStretchLastSection(true);
        twin.setItemDelegate(new PresetListDelegate(&twin));
        twin.setHeaderLabels({list->headerItem()->text(0), list->headerItem()->text(1)});
        for (int row = 0; row < list->topLevelItemCount(); ++row)
            twin.addTopLevelItem(list->topLevelItem(row)->clone());
        twin.setColumnWidth(0, list->columnWidth(0));
        twin.setColumnWidth(1, list->columnWidth(1));
        twin.setGeometry(QRect(list->mapTo(&env.Frame(), QPoint(0, 0)), list->size()));
        twin.show();
        QTreeWidgetItem* highlighted = list->topLevelItem(3);
        const auto alike = [&](bool focus) {
            // The twin takes the list's rows, selection, current row, scrolling and state.
            for (int c = 0; c < 2; ++c) {
                twin.topLevelItem(3)->setBackground(c, highlighted->background(c));
                twin.topLevelItem(3)->setForeground(c, highlighted->foreground(c));
            }
            twin.selectionModel()->clear();
            for (const QModelIndex& index : list->selectionModel()->selectedIndexes())
                twin.selectionModel()->select(twin.model()->index(index.row(), index.column()),
                                              QItemSelectionModel::Select);
            const QModelIndex current = list->currentIndex();
            twin.selectionModel()->setCurrentIndex(
                twin.model()->index(current.row(), current.column()),
                QItemSelectionModel::NoUpdate);
            twin.verticalScrollBar()->setValue(list->verticalScrollBar()->value());
            twin.setEnabled(list->isEnabled());
            const auto picture = [focus](QTreeWidget* view) {
                if (focus)
                    view->setFocus();
                else
                    view->clearFocus();
                QApplication::processEvents();
                return view->viewport()->grab().toImage();
            };
            return picture(list) == picture(&twin);
        };
        QVERIFY2(alike(true), "current row with the focus");
        QVERIFY2(alike(false), "without the focus");
        list->selectionModel()->setCurrentIndex(list->model()->index(5, 0),
                                                QItemSelectionModel::NoUpdate);
        QVERIFY2(alike(true), "current and selected apart");
        for (int c = 0; c < 2; ++c) {
            highlighted->setBackground(c, list->palette().color(QPalette::Highlight).lighter(150));
            highlighted->setForeground(c, list->palette().color(QPalette::HighlightedText));
        }
        QVERIFY2(alike(true), "drop highlight");
        env.Doc().SetCurrentPreset(60);
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->value() + 3);
        QVERIFY(list->verticalScrollBar()->value() > 0);
        QVERIFY2(alike(true), "scrolled");
        list->setEnabled(false);
        QVERIFY2(alike(false), "disabled");
    }

    void iconsLookLikeTheirPicturesAtEverySize() {
        // The sizes shown at a pixel ratio of 1 come from pixel files drawn at build time, the
        // others from the SVG; both must look like the picture.
        const auto drawn = [](const QString& svg, int side) {
            QSvgRenderer renderer(svg);
            QImage image(side, side, QImage::Format_ARGB32_Premultiplied);
            image.fill(0x00000000);
            QPainter painter(&image);
            renderer.render(&painter);
            painter.end();
            return image;
        };
        const auto near = [](const QImage& a, const QImage& b) {
            if (a.size() != b.size())
                return false;
            for (int y = 0; y < a.height(); ++y)
                for (int x = 0; x < a.width(); ++x) {
                    const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                    if (std::abs(qRed(p) - qRed(q)) > 1 || std::abs(qGreen(p) - qGreen(q)) > 1 ||
                        std::abs(qBlue(p) - qBlue(q)) > 1 || std::abs(qAlpha(p) - qAlpha(q)) > 1)
                        return false;
                }
            return true;
        };
        const QStringList pictures{QStringLiteral("toolbar/new"), QStringLiteral("toolbar/save"),
                                   QStringLiteral("toolbar/send_all"),
                                   QStringLiteral("toolbar/about"), QStringLiteral("presetor")};
        for (const QString& picture : pictures) {
            const QString svg = QStringLiteral(":/presetor/%1.svg").arg(picture);
            const QIcon icon = SvgIcon(svg);
            for (const int side : {16, 24, 32, 128}) {
                const QImage shown = icon.pixmap(side, side).toImage();
                QVERIFY2(near(shown, drawn(svg, side)),
                         qPrintable(QStringLiteral("%1 at %2").arg(picture).arg(side)));
            }
            QVERIFY2(QFile::exists(QStringLiteral(":/presetor/pixels/%1-16.argb").arg(picture)),
                     qPrintable(picture));
        }
        QVERIFY(!QFile::exists(QStringLiteral(":/presetor/pixels/toolbar/new-24.argb")));
    }

    void pixelFilesKeepThePictureAndRefuseWrongLengths() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("p.argb"));
        QImage picture(5, 3, QImage::Format_ARGB32_Premultiplied);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                picture.setPixel(x, y, qPremultiply(qRgba(40 * x, 80 * y, 7, 50 + 40 * x)));
        QVERIFY(WritePixelFile(picture, path));
        QCOMPARE(PixelFileSize(path), QSize(5, 3));
        QCOMPARE(ReadPixelFile(path).toImage().convertToFormat(picture.format()), picture);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray whole = file.readAll();
        file.close();
        const auto rejected = [&](const QByteArray& bytes) {
            QFile out(path);
            return out.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                   out.write(bytes) == bytes.size() && out.flush() &&
                   PixelFileSize(path).isEmpty() && ReadPixelFile(path).isNull();
        };
        QVERIFY(rejected(whole.left(whole.size() - 1))); // a pixel short
        QVERIFY(rejected(whole + QByteArray(4, '\0')));  // a pixel more
        QVERIFY(rejected(whole.left(6)));                // a header cut short
        QByteArray huge = whole;
        const std::uint32_t sides[2] = {4096, 4096}; // claims 64 MiB; the length says no
        std::memcpy(huge.data(), sides, sizeof sides);
        QVERIFY(rejected(huge));
        QVERIFY(ReadPixelFile(dir.filePath(QStringLiteral("missing.argb"))).isNull());
    }

    void pagesAreMadeWhenTheirTabIsFirstShown() {
        ShellTestEnv env;
        StartWith(env, 4);
        QStringList made;
        const PageFactory factory = [&made](const QString& label, CEditorApp&, CAppDoc&,
                                            QWidget* parent) -> QWidget* {
            made << label;
            if (label == QLatin1String("Split 2")) {
                return nullptr; // this one cannot be made
            }
            auto* page = new QWidget(parent);
            page->setObjectName(label);
            return page;
        };
        CTabView tabs(env.App(), env.Doc(), factory);
        tabs.resize(600, 400);
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        QTest::qWait(20); // nothing more is made once the tabs have painted
        QCOMPARE(made, QStringList{QStringLiteral("Global")});
        QCOMPARE(tabs.count(), 11);
        const QColor split3Colour = tabs.GetTabColor(5);

        // A tab shown for the first time has its page before it shows; no other page is made.
        tabs.tabBar()->setCurrentIndex(5);
        QCOMPARE(made.size(), 2);
        QCOMPARE(made.last(), QStringLiteral("Split 3"));
        QCOMPARE(tabs.currentWidget()->objectName(), QStringLiteral("Split 3"));
        QVERIFY(tabs.currentWidget()->isVisible());
        QCOMPARE(tabs.GetTabLabel(5), QStringLiteral("Split 3"));
        QCOMPARE(tabs.GetTabColor(5), split3Colour);
        QVERIFY(tabs.tabBar()->tabTextColor(0) != CTabView::kActiveSplit);
        tabs.tabBar()->setCurrentIndex(0);
        tabs.tabBar()->setCurrentIndex(5);
        QCOMPARE(made.size(), 2); // made once

        // A page that cannot be made takes its tab with it; the next tab moves into its place.
        tabs.SetActivePage(4);
        QCOMPARE(tabs.count(), 10);
        QCOMPARE(tabs.GetTabLabel(4), QStringLiteral("Split 3"));
        QCOMPARE(tabs.currentWidget()->objectName(), QStringLiteral("Split 3"));

        // The rest at once, when asked for.
        tabs.CreatePendingPages();
        QVERIFY(!tabs.HasPendingPages());
        QCOMPARE(made.size(), 11);
        for (int i = 0; i < tabs.count(); ++i) {
            QCOMPARE(tabs.widget(i)->objectName(), tabs.GetTabLabel(i));
        }
    }

    // Tabs recoloured by a preset switch repaint alone (with their neighbours' edges), and the
    // window then shows the bar exactly as when it paints whole, the bold current tab included.
    void recolouredTabsLookAsTheWholeBar() {
        ShellTestEnv env;
        StartWith(env, 4);
        const PageFactory factory = [](const QString&, CEditorApp&, CAppDoc&, QWidget* parent) {
            return new QWidget(parent);
        };
        CTabView tabs(env.App(), env.Doc(), factory);
        tabs.resize(900, 200);
        tabs.show();
        QVERIFY(QTest::qWaitForWindowExposed(&tabs));
        tabs.SetActivePage(5);
        const auto shownWhole = [&tabs] {
            QApplication::processEvents();
            const QImage shown = tabs.screen()
                                     ->grabWindow(tabs.winId())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            return shown == tabs.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        QVERIFY(shownWhole());
        // Splits 2, 3 (the current tab) and 7 on, then 3 and 4 off and 8 on, then all off.
        const std::vector<std::vector<int>> steps = {{1, 2, 6}, {1, 6, 7}, {}};
        for (const auto& on : steps) {
            env.Doc().ModifyPreset(0, QStringLiteral("keys"), [&on](Preset& p) {
                for (std::size_t s = 0; s < kSplitCount; ++s) {
                    const bool active = std::find(on.begin(), on.end(), int(s)) != on.end();
                    p.lowKey[s] = active ? 30 : 0;
                    p.highKey[s] = active ? 90 : 0;
                }
            });
            for (int split = 0; split < int(kSplitCount); ++split) {
                const bool active = std::find(on.begin(), on.end(), split) != on.end();
                QCOMPARE(tabs.GetTabColor(3 + split),
                         active ? CTabView::kActiveSplit : CTabView::kInactiveSplit);
            }
            QVERIFY(shownWhole());
        }
    }

    // In the main window the tab bar, once shown, covers itself with a picture of what lies under
    // it: recoloured tabs then repaint nothing beneath the bar, and the window looks exactly as
    // when the tab widget and the window paint under the bar, before and after the current page
    // changes the tab widget's frame.
    void tabBarOverItsGroundLooksAsOverThePaintedHolder() {
        ShellTestEnv env;
        StartWith(env, 4);
        CMainFrame& frame = env.Frame();
        CTabView* tabs = frame.TabView();
        QTabBar* bar = tabs->tabBar();
        const auto recolour = [&env](int split, bool active) {
            env.Doc().ModifyPreset(0, QStringLiteral("keys"), [=](Preset& p) {
                p.lowKey[static_cast<std::size_t>(split)] = active ? 30 : 0;
                p.highKey[static_cast<std::size_t>(split)] = active ? 90 : 0;
            });
            QApplication::processEvents();
        };
        const auto grabbed = [&frame] {
            return frame.grab().toImage().convertToFormat(QImage::Format_RGB32);
        };
        for (const int page : {0, 4}) {
            tabs->SetActivePage(page);
            recolour(2, true);
            QApplication::processEvents();
            QVERIFY(bar->testAttribute(Qt::WA_OpaquePaintEvent));
            PaintCount holderPaints;
            tabs->installEventFilter(&holderPaints);
            recolour(2, false);
            recolour(5, true);
            QCOMPARE(holderPaints.paints, 0);
            tabs->removeEventFilter(&holderPaints);
            const QImage onGround = grabbed();
            const QImage shown = frame.screen()
                                     ->grabWindow(frame.winId())
                                     .toImage()
                                     .convertToFormat(QImage::Format_RGB32);
            QCOMPARE(shown, onGround);
            bar->setAttribute(Qt::WA_OpaquePaintEvent, false);
            QCOMPARE(grabbed(), onGround);
        }
        // A style sheet paints the window's ground its own way: the bar leaves it to the window.
        qApp->setStyleSheet(QStringLiteral("QMainWindow { background: rgb(255, 224, 224); }"));
        recolour(3, true);
        recolour(3, false);
        QApplication::processEvents();
        const bool opaque = bar->testAttribute(Qt::WA_OpaquePaintEvent);
        const QImage shown = frame.screen()
                                 ->grabWindow(frame.winId())
                                 .toImage()
                                 .convertToFormat(QImage::Format_RGB32);
        const QImage styled = grabbed();
        qApp->setStyleSheet(QString());
        QVERIFY(!opaque);
        QCOMPARE(shown, styled);
    }

    void tabsInOrderWithSplitColours() {
        ShellTestEnv env;
        StartWith(env, 3);
        CTabView* tabs = env.Frame().TabView();
        QStringList labels;
        for (int i = 0; i < tabs->count(); ++i) {
            labels << tabs->GetTabLabel(i);
        }
        QCOMPARE(labels, (QStringList{"Global", "Controller", "Controller-Assignments", "Split 1",
                                      "Split 2", "Split 3", "Split 4", "Split 5", "Split 6",
                                      "Split 7", "Split 8"}));
        QCOMPARE(tabs->currentIndex(), 0);
        QCOMPARE(tabs->GetTabColor(3), CTabView::kActiveSplit);
        QCOMPARE(tabs->GetTabColor(4), CTabView::kInactiveSplit);
        tabs->CreatePendingPages();
        QWidget* split2 = tabs->widget(4);
        QCOMPARE(tabs->FindPage(split2), 4);
        env.Doc().ModifyPreset(0, QStringLiteral("keys"), [](Preset& p) {
            p.lowKey[1] = 40;
            p.highKey[1] = 60;
        });
        QCOMPARE(tabs->GetTabColor(4), CTabView::kActiveSplit);
        tabs->SetActivePage(4);
        QCOMPARE(tabs->currentWidget(), split2);
        QVERIFY(split2->isVisible());
        QVERIFY(!tabs->widget(0)->isVisible());
        // Another preset without the split turns the tab red again.
        env.Frame().PresetView()->setCurrentItem(env.Frame().PresetView()->topLevelItem(1));
        QCOMPARE(tabs->GetTabColor(4), CTabView::kInactiveSplit);

        // Every tab is wide enough for its label in bold (the current tab's look), also after
        // the bar's font grows: the sizes the bar keeps per label are measured again.
        QTabBar* bar = tabs->tabBar();
        const auto boldFits = [bar](QList<int>& widths) {
            QFont bold = bar->font();
            bold.setBold(true);
            const QFontMetrics metrics(bold);
            widths.clear();
            for (int i = 0; i < bar->count(); ++i) {
                widths << bar->tabRect(i).width();
                if (widths.last() < metrics.horizontalAdvance(bar->tabText(i))) {
                    return false;
                }
            }
            return true;
        };
        QList<int> before;
        QVERIFY(boldFits(before));
        QFont larger = bar->font();
        larger.setPointSizeF(larger.pointSizeF() * 2);
        bar->setFont(larger);
        QApplication::processEvents();
        QList<int> after;
        QVERIFY(boldFits(after));
        for (int i = 0; i < after.size(); ++i) {
            QVERIFY(after[i] > before[i]);
        }
    }
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
