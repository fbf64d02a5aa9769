// The preset default settings sheet: "Set to self", wrapping spins, the clock stored as half
// its tempo, labels by keyboard type, and what "OK" and "Cancel" leave in the settings.
#include "CPropertySheetOptions.h"
#include "DialogTestKit.h"
#include "app/CAppDoc.h"
#include "app/CEditorApp.h"
#include "app/SettingsKeys.h"
#include "model/KeyboardType.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstring>

namespace {

void Press(QWidget& sheet, QDialogButtonBox::StandardButton which) {
    Child<QDialogButtonBox>(sheet, "")->button(which)->click();
}

void StepUp(QSpinBox* spin, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(spin, Qt::Key_Up);
    }
}

void StepDown(QSpinBox* spin, int times = 1) {
    for (int i = 0; i < times; ++i) {
        QTest::keyClick(spin, Qt::Key_Down);
    }
}

QByteArray StoredBytes(const presetor::PresetDefaults& defaults) {
    const auto bytes = defaults.ToBytes();
    return {reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())};
}

// Presses a button of the sheet once it runs modally.
void PressWhenModal(QDialogButtonBox::StandardButton which,
                    const std::function<void(QWidget&)>& before = {}) {
    QTimer::singleShot(0, [which, before] {
        QWidget* sheet = QApplication::activeModalWidget();
        QVERIFY(sheet);
        if (before) {
            before(*sheet);
        }
        Press(*sheet, which);
    });
}

} // namespace

class DefaultsSheetTest : public QObject {
    Q_OBJECT

private slots:
    void setToSelfRoundTrip() {
        presetor::PresetDefaults defaults;
        defaults.linkPreset = presetor::kLinkToSelf;
        CPropertySheetOptions sheet(defaults, presetor::kLmk3);
        sheet.show();
        auto* link = Child<QSpinBox>(sheet, "linkSpin");
        auto* toSelf = Child<QCheckBox>(sheet, "setToSelf");
        QCOMPARE(Child<QLineEdit>(sheet, "nameEdit")->text(), QStringLiteral("INITPRES"));
        QVERIFY(toSelf->isChecked());
        QVERIFY(!link->isEnabled());
        QCOMPARE(link->text(), QString());

        toSelf->click();
        QVERIFY(link->isEnabled());
        QCOMPARE(link->text(), QStringLiteral("1.1 (1)"));
        // A position chosen, then "Set to self" on and off again, comes back.
        StepUp(link, 5);
        QCOMPARE(link->text(), QStringLiteral("1.6 (6)"));
        toSelf->click();
        QCOMPARE(link->text(), QString());
        toSelf->click();
        QCOMPARE(link->text(), QStringLiteral("1.6 (6)"));
        StepDown(link, 5);
        Press(sheet, QDialogButtonBox::Ok);
        QCOMPARE(sheet.Defaults().linkPreset, 0);

        // And back: checking it stores -1.
        CPropertySheetOptions again(sheet.Defaults(), presetor::kLmk3);
        again.show();
        QVERIFY(!Child<QCheckBox>(again, "setToSelf")->isChecked());
        Child<QCheckBox>(again, "setToSelf")->click();
        Press(again, QDialogButtonBox::Ok);
        QCOMPARE(again.Defaults().linkPreset, presetor::kLinkToSelf);
    }

    void spinsWrapAndClockIsStoredAsHalf() {
        presetor::PresetDefaults defaults; // clock 25 = 50 BpM, channel 1, link 0
        CPropertySheetOptions sheet(defaults, presetor::kLmk3);
        sheet.show();
        auto* clock = Child<QSpinBox>(sheet, "clockSpin");
        auto* channel = Child<QSpinBox>(sheet, "masterChannelSpin");
        auto* link = Child<QSpinBox>(sheet, "linkSpin");
        QCOMPARE(clock->value(), 50);
        StepDown(clock);
        QCOMPARE(clock->value(), 254);
        StepUp(clock);
        QCOMPARE(clock->value(), 50);
        StepUp(clock, 35);
        QCOMPARE(clock->value(), 120);

        StepDown(channel);
        QCOMPARE(channel->value(), 16);
        StepUp(channel);
        QCOMPARE(channel->value(), 1);
        StepDown(channel);

        // The LMK3 has 64 presets: 63 is 8.8 (64), and one more wraps to the first.
        StepDown(link);
        QCOMPARE(link->text(), QStringLiteral("8.8 (64)"));
        StepUp(link);
        QCOMPARE(link->text(), QStringLiteral("1.1 (1)"));
        StepDown(link);

        Press(sheet, QDialogButtonBox::Ok);
        QCOMPARE(sheet.Defaults().midiClock, 60);
        QCOMPARE(sheet.Defaults().masterChannel, 15);
        QCOMPARE(sheet.Defaults().linkPreset, 63);

        CPropertySheetOptions lmk4(defaults, presetor::kLmk4);
        lmk4.show();
        auto* link4 = Child<QSpinBox>(lmk4, "linkSpin");
        StepDown(link4);
        QCOMPARE(link4->text(), QStringLiteral("16.7 (127)"));
    }

    void controllerPageLabelsAndCodes() {
        presetor::PresetDefaults defaults;
        defaults.ctrlFunctions[presetor::kDefSlide2] = 12; // Userdefined Controller 5
        defaults.switchFunctions[1] = 9;                   // beyond the six switch items
        defaults.realtimeMode = 7;                         // beyond the list
        {
            CPropertySheetOptions sheet(defaults, presetor::kLmk4);
            sheet.show();
            sheet.Tabs()->setCurrentIndex(1);
            QCOMPARE(Child<QLabel>(sheet, "controller2Label")->text(), QStringLiteral("CTR1:"));
            QCOMPARE(Child<QLabel>(sheet, "controller3Label")->text(), QStringLiteral("CTR2:"));
            QCOMPARE(Child<QLabel>(sheet, "controller4Label")->text(), QStringLiteral("CTR3:"));
            QCOMPARE(Child<QComboBox>(sheet, "controller3")->currentText(),
                     QStringLiteral("Userdefined Controller 5"));
            QCOMPARE(Child<QComboBox>(sheet, "switch0")->count(), 6);
            QCOMPARE(Child<QComboBox>(sheet, "switch1")->currentIndex(), -1);
            Child<QComboBox>(sheet, "controller0")->setCurrentIndex(15);
            Press(sheet, QDialogButtonBox::Ok);
            const presetor::PresetDefaults& out = sheet.Defaults();
            QCOMPARE(out.ctrlFunctions[presetor::kDefWheel1], 15);
            QCOMPARE(out.ctrlFunctions[presetor::kDefSlide2], 12);
            // A stored value that no list item shows is kept, not replaced by 255 or -1.
            QCOMPARE(out.switchFunctions[1], 9);
            QCOMPARE(out.realtimeMode, 7);
        }
        {
            CPropertySheetOptions sheet(defaults, presetor::kLmk3);
            sheet.show();
            sheet.Tabs()->setCurrentIndex(1);
            QCOMPARE(Child<QLabel>(sheet, "controller2Label")->text(), QStringLiteral("Slider 1:"));
            QCOMPARE(Child<QLabel>(sheet, "controller3Label")->text(), QStringLiteral("Slider 2:"));
            QCOMPARE(Child<QLabel>(sheet, "controller4Label")->text(),
                     QStringLiteral("Data Entry:"));
        }
    }

    void cancelChangesNothingAndOkWritesAll40Bytes() {
        QTemporaryDir dir;
        QSettings settings(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
        CEditorApp app(settings);
        CAppDoc doc(app);
        const presetor::PresetDefaults before = app.bank.presetDefaults;

        PressWhenModal(QDialogButtonBox::Cancel, [](QWidget& sheet) {
            Child<QLineEdit>(sheet, "nameEdit")->setText(QStringLiteral("CHANGED"));
            StepUp(Child<QSpinBox>(sheet, "clockSpin"), 3);
        });
        QVERIFY(!RunPresetDefaultSettings(nullptr, app, doc));
        QVERIFY(app.bank.presetDefaults == before);
        QVERIFY(!settings.contains(presetor::keys::kDefaultPreset));

        // "OK" with nothing changed still stores the whole 40-byte value.
        PressWhenModal(QDialogButtonBox::Ok);
        QVERIFY(RunPresetDefaultSettings(nullptr, app, doc));
        QVERIFY(app.bank.presetDefaults == before);
        const QByteArray stored = settings.value(presetor::keys::kDefaultPreset).toByteArray();
        QCOMPARE(stored.size(), 40);
        QCOMPARE(stored, StoredBytes(before));

        // A changed name and tempo reach the settings; the presets themselves stay as they were.
        const std::string firstName = doc.GetBank().presets[0].GetName();
        PressWhenModal(QDialogButtonBox::Ok, [](QWidget& sheet) {
            auto* name = Child<QLineEdit>(sheet, "nameEdit");
            name->clear();
            QTest::keyClicks(name, QStringLiteral("PAD"));
            StepUp(Child<QSpinBox>(sheet, "clockSpin"), 35);
        });
        QVERIFY(RunPresetDefaultSettings(nullptr, app, doc));
        presetor::PresetDefaults reread;
        const QByteArray again = settings.value(presetor::keys::kDefaultPreset).toByteArray();
        QVERIFY(reread.FromBytes(
            std::span<const std::uint8_t>(reinterpret_cast<const std::uint8_t*>(again.constData()),
                                          static_cast<std::size_t>(again.size()))));
        QCOMPARE(QByteArray(reread.name), QByteArray("PAD"));
        QCOMPARE(reread.midiClock, 60);
        QCOMPARE(doc.GetBank().presets[0].GetName(), firstName);
    }
};

QTEST_MAIN(DefaultsSheetTest)
#include "DefaultsSheetTest.moc"
