// The select-preset dialog over a sound list: bank combo and the two sound orders, the numbers
// it returns and its three-line text, what it offers without lists or without an assignment,
// and the example lists that ship with the program.
#include "CSelectPresetDlg.h"
#include "DialogTestKit.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

// The example file as a musician would write it (lines end in CR LF).
const char kStudioModule[] = "* Studio module\r\n"
                             "name=Studio Module\r\n"
                             "bank=Preset A,81,0\r\n"
                             "0,Grand Piano\r\n"
                             "1,Bright Piano\r\n"
                             "bank=User,87,0\r\n"
                             "5,Pad, warm\r\n";

QPushButton* OkButton(QWidget& dialog) {
    return dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
}

QStringList Texts(QListWidget* list) {
    QStringList texts;
    for (int i = 0; i < list->count(); ++i) {
        texts.append(list->item(i)->text());
    }
    return texts;
}

std::vector<presetor::CSoundList> StudioLists() {
    std::vector<presetor::CSoundList> lists(1);
    lists[0].LoadFromText(kStudioModule);
    return lists;
}

} // namespace

class SelectPresetTest : public QObject {
    Q_OBJECT

private slots:
    void banksAndBothOrders() {
        const auto lists = StudioLists();
        auto assignments = Unassigned();
        assignments[9] = "Studio Module";
        CSelectPresetDlg dialog(lists, assignments, 10);
        dialog.show();
        QCOMPARE(Child<QLineEdit>(dialog, "listName")->text(), QStringLiteral("Studio Module"));
        auto* banks = Child<QComboBox>(dialog, "bankCombo");
        auto* byNumber = Child<QListWidget>(dialog, "numberList");
        auto* byName = Child<QListWidget>(dialog, "nameList");
        QCOMPARE(banks->count(), 2);
        QCOMPARE(banks->itemText(0), QStringLiteral("Preset A"));
        QCOMPARE(banks->itemData(0).toInt(), 81 * 256);
        QVERIFY(OkButton(dialog)->isEnabled());
        QVERIFY(byNumber->isVisible());
        QVERIFY(!byName->isVisible());

        // Programs count from 1, as on the split page ("Programm-Nr:").
        QStringList expected = {QStringLiteral("Grand Piano"), QStringLiteral("Bright Piano")};
        for (int j = 3; j <= 128; ++j) {
            expected.append(QString::number(j));
        }
        QCOMPARE(Texts(byNumber), expected);
        QCOMPARE(Child<QLineEdit>(dialog, "msbField")->text(), QStringLiteral("81"));
        QCOMPARE(Child<QLineEdit>(dialog, "lsbField")->text(), QStringLiteral("0"));
        QCOMPARE(Child<QLineEdit>(dialog, "noField")->text(), QStringLiteral("1"));

        banks->setCurrentIndex(1);
        QCOMPARE(Child<QLineEdit>(dialog, "msbField")->text(), QStringLiteral("87"));
        const QStringList user = Texts(byNumber);
        QCOMPARE(user.mid(0, 7), QStringList({"1", "2", "3", "4", "5", "Pad, warm", "7"}));
        QCOMPARE(byName->count(), 128);
        // By name: the named sounds first, then the numbered placeholders in number order
        // (2 before 10, not after it).
        QCOMPARE(Texts(byName).mid(0, 4), QStringList({"Pad, warm", "1", "2", "3"}));
        QCOMPARE(byName->item(9)->text(), QStringLiteral("10"));
        QCOMPARE(byName->item(127)->text(), QStringLiteral("128"));
        byName->setCurrentRow(0);
        Child<QRadioButton>(dialog, "sortByName")->click();
        QCOMPARE(Child<QLineEdit>(dialog, "noField")->text(), QStringLiteral("6"));
    }

    void brightPianoByName() {
        const auto lists = StudioLists();
        auto assignments = Unassigned();
        assignments[2] = "Studio Module";
        CSelectPresetDlg dialog(lists, assignments, 3);
        dialog.show();
        auto* byName = Child<QListWidget>(dialog, "nameList");
        Child<QRadioButton>(dialog, "sortByName")->click();
        QVERIFY(byName->isVisible());
        QVERIFY(!Child<QListWidget>(dialog, "numberList")->isVisible());
        const QList<QListWidgetItem*> found =
            byName->findItems(QStringLiteral("Bright Piano"), Qt::MatchExactly);
        QCOMPARE(found.size(), 1);
        byName->setCurrentItem(found.first());
        QCOMPARE(Child<QLineEdit>(dialog, "noField")->text(), QStringLiteral("2"));
        OkButton(dialog)->click();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program(), 1);
        QCOMPARE(dialog.msb(), 81);
        QCOMPARE(dialog.lsb(), 0);
        QCOMPARE(dialog.resultText().split(QLatin1Char('\n')),
                 QStringList({"Studio Module", "Preset A", "Bright Piano"}));
    }

    void doubleClickConfirms() {
        const auto lists = StudioLists();
        auto assignments = Unassigned();
        assignments[0] = "Studio Module";
        CSelectPresetDlg dialog(lists, assignments, 1);
        dialog.show();
        Child<QComboBox>(dialog, "bankCombo")->setCurrentIndex(1);
        auto* byNumber = Child<QListWidget>(dialog, "numberList");
        byNumber->setCurrentRow(5);
        emit byNumber->itemDoubleClicked(byNumber->item(5));
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(dialog.program(), 5);
        QCOMPARE(dialog.msb(), 87);
        QCOMPARE(dialog.resultText().split(QLatin1Char('\n')).last(), QStringLiteral("Pad, warm"));
    }

    void nothingToConfirm() {
        // No sound lists at all: the three explanation lines, and no way to confirm.
        {
            const std::vector<presetor::CSoundList> none;
            const auto assignments = Unassigned();
            CSelectPresetDlg dialog(none, assignments, 1);
            dialog.show();
            QVERIFY(!OkButton(dialog)->isEnabled());
            QCOMPARE(Texts(Child<QListWidget>(dialog, "numberList")),
                     QStringList(
                         {"No Sounds available.", "Because no .sound-Files", "could be found."}));
            auto* byNumber = Child<QListWidget>(dialog, "numberList");
            emit byNumber->itemDoubleClicked(byNumber->item(0));
            QVERIFY(dialog.isVisible());
        }
        // Lists exist, but the channel has none assigned, or names one that is not there.
        const auto lists = StudioLists();
        auto assignments = Unassigned();
        assignments[4] = "Removed Module";
        for (int channel : {1, 5}) {
            CSelectPresetDlg dialog(lists, assignments, channel);
            dialog.show();
            QCOMPARE(Child<QComboBox>(dialog, "bankCombo")->count(), 0);
            QCOMPARE(Child<QListWidget>(dialog, "numberList")->count(), 0);
            QVERIFY(!OkButton(dialog)->isEnabled());
        }
    }

    void shippedExampleLists() {
        const QString dir = QStringLiteral(PRESETOR_SOURCE_DIR "/res/sounds/");
        presetor::CSoundList gm;
        QVERIFY(gm.Load((dir + QStringLiteral("GeneralMidi.sounds")).toStdString()).ok());
        QCOMPARE(QString::fromStdString(gm.name), QStringLiteral("General MIDI"));
        QCOMPARE(gm.banks.size(), std::size_t(1));
        QCOMPARE(gm.banks[0].NamedCount(), presetor::kSoundsPerBank);
        QCOMPARE(gm.problemCount, std::size_t(0));
        QCOMPARE(QString::fromStdString(gm.banks[0].GetSoundName(127)), QStringLiteral("Gunshot"));

        presetor::CSoundList studio;
        QVERIFY(studio.Load((dir + QStringLiteral("StudioModule.sounds")).toStdString()).ok());
        QCOMPARE(QString::fromStdString(studio.name), QStringLiteral("Studio Module"));
        QCOMPARE(studio.problemCount, std::size_t(0));
        QVERIFY(studio.banks.size() >= 3);
        std::string bank;
        std::string sound;
        QVERIFY(studio.FindSound(81, 0, 1, bank, sound));
        QCOMPARE(QString::fromStdString(sound), QStringLiteral("Bright Piano"));
        QVERIFY(studio.FindSound(87, 0, 5, bank, sound));
        QCOMPARE(QString::fromStdString(bank), QStringLiteral("User"));
        QCOMPARE(QString::fromStdString(sound), QStringLiteral("Pad, warm"));
        // Every bank has numbers of its own, so a lookup finds each of them.
        for (const presetor::CSoundBank& each : studio.banks) {
            QVERIFY(studio.FindSound(each.msb, each.lsb, 0, bank, sound));
            QCOMPARE(bank, each.name);
        }
    }
};

QTEST_MAIN(SelectPresetTest)
#include "SelectPresetTest.moc"
