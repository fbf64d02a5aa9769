// The assignment matrix: the bit each box edits by keyboard type, one click changing one bit,
// the four bulk buttons, a switch assigned to "Link" showing only its split-1 box, and the
// function labels and captions.
#include "CAssignView.h"
#include "PageTestEnv.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace {

constexpr int kSlide1 = 2;
constexpr int kExtern1 = 6;

} // namespace

class AssignViewTest : public QObject {
    Q_OBJECT

private slots:
    void bitsByKeyboardType() {
        for (const int type : {presetor::kLmk3, presetor::kLmk4}) {
            PageTestEnv env(type);
            env.Current().ctrlMatrix.fill(0);
            env.Changed();
            CAssignView page(env.app, env.doc);
            page.show();
            QTest::mouseClick(page.Box(kSlide1, 0), Qt::LeftButton);
            QCOMPARE(int(env.Current().ctrlMatrix[0]), type == presetor::kLmk3 ? 0x10 : 0x40);
            QTest::mouseClick(page.Box(kSlide1, 0), Qt::LeftButton);
            QCOMPARE(int(env.Current().ctrlMatrix[0]), 0);
            QTest::mouseClick(page.Box(kExtern1, 0), Qt::LeftButton);
            QCOMPARE(int(env.Current().ctrlMatrix[0]), type == presetor::kLmk3 ? 0x08 : 0x04);

            // Loading reads the same bits back.
            env.Current().ctrlMatrix[4] = 0x40;
            env.Changed();
            QCOMPARE(page.Box(kSlide1, 4)->isChecked(), type != presetor::kLmk3);
            QCOMPARE(page.Box(kSlide1 + 1, 4)->isChecked(), type == presetor::kLmk3);
        }
    }

    void oneClickOneBit() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().ctrlMatrix.fill(0xFF);
        env.Current().switchMatrix.fill(0x03);
        env.Current().switchAssign.fill(0);
        env.Changed();
        CAssignView page(env.app, env.doc);
        page.show();
        for (int r = 0; r < CAssignView::kRowCount; ++r)
            for (int s = 0; s < 8; ++s)
                QVERIFY(page.Box(r, s)->isChecked());
        QTest::mouseClick(page.Box(5, 3), Qt::LeftButton); // aftertouch, split 4
        QCOMPARE(int(env.Current().ctrlMatrix[3]), 0xFF & ~0x20);
        QTest::mouseClick(page.Box(CAssignView::kSwitch2Row, 7), Qt::LeftButton);
        QCOMPARE(int(env.Current().switchMatrix[7]), 0x01);
        int unchecked = 0;
        for (int r = 0; r < CAssignView::kRowCount; ++r)
            for (int s = 0; s < 8; ++s)
                unchecked += page.Box(r, s)->isChecked() ? 0 : 1;
        QCOMPARE(unchecked, 2);
    }

    void bulkButtons() {
        PageTestEnv env(presetor::kLmk4);
        for (std::size_t s = 0; s < 8; ++s) {
            env.Current().lowKey[s] = s < 2 ? 30 : 0;
            env.Current().highKey[s] = s < 2 ? 90 : 0;
            env.Current().ctrlMatrix[s] = 0x11;
            env.Current().switchMatrix[s] = 0x01;
        }
        env.Current().highKey[2] = 50; // only one key set: inactive for the buttons
        env.Changed();
        CAssignView page(env.app, env.doc);
        page.show();
        QTest::mouseClick(Child<QPushButton>(&page, "allOnActive"), Qt::LeftButton);
        for (std::size_t s = 0; s < 8; ++s) {
            QCOMPARE(int(env.Current().ctrlMatrix[s]), s < 2 ? 0xFF : 0x11);
            QCOMPARE(int(env.Current().switchMatrix[s]), s < 2 ? 0xFF : 0x01);
        }
        QVERIFY(page.Box(3, 1)->isChecked());
        QTest::mouseClick(Child<QPushButton>(&page, "allOffInactive"), Qt::LeftButton);
        for (std::size_t s = 0; s < 8; ++s) {
            QCOMPARE(int(env.Current().ctrlMatrix[s]), s < 2 ? 0xFF : 0);
            QCOMPARE(int(env.Current().switchMatrix[s]), s < 2 ? 0xFF : 0);
        }
        QTest::mouseClick(Child<QPushButton>(&page, "allOff"), Qt::LeftButton);
        for (std::size_t s = 0; s < 8; ++s)
            QCOMPARE(int(env.Current().ctrlMatrix[s] | env.Current().switchMatrix[s]), 0);
        QVERIFY(!page.Box(0, 0)->isChecked());
        QTest::mouseClick(Child<QPushButton>(&page, "allOn"), Qt::LeftButton);
        for (std::size_t s = 0; s < 8; ++s)
            QCOMPARE(int(env.Current().ctrlMatrix[s] & env.Current().switchMatrix[s]), 0xFF);
    }

    void linkShowsSplitOneOnly() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().switchAssign = {4, 0};
        env.Current().switchMatrix.fill(0x01);
        env.Changed();
        CAssignView page(env.app, env.doc);
        page.show();
        QVERIFY(!page.Box(CAssignView::kSwitch1Row, 0)->isHidden());
        for (int s = 1; s < 8; ++s) {
            QVERIFY(page.Box(CAssignView::kSwitch1Row, s)->isHidden());
            QVERIFY(!page.Box(CAssignView::kSwitch2Row, s)->isHidden());
        }
        QCOMPARE(Child<QLabel>(&page, "switch1Function")->text(), QStringLiteral("Link"));
        // Another function (as the Controller page sets it): all eight boxes with their bits.
        env.doc.ModifyPreset(0, QStringLiteral("Switch function"),
                             [](presetor::Preset& p) { p.switchAssign[0] = 3; });
        page.hide();
        page.show();
        for (int s = 1; s < 8; ++s) {
            QVERIFY(!page.Box(CAssignView::kSwitch1Row, s)->isHidden());
            QVERIFY(page.Box(CAssignView::kSwitch1Row, s)->isChecked());
        }
        QCOMPARE(Child<QLabel>(&page, "switch1Function")->text(),
                 QString::fromUtf8("Softpedal (D\xc3\xa4mpferpedal beim Piano)"));
        QCOMPARE(int(env.Current().switchMatrix[5]), 0x01);
    }

    void labelsAndCaptions() {
        PageTestEnv env(presetor::kLmk3);
        env.Current().ctrlAssign[presetor::kCtrlExtern1] = 3;
        env.Current().ctrlAssign[presetor::kCtrlSlide2] = 12;
        env.Current().ctrlAssign[presetor::kCtrlDataEntry] = 99; // damaged file
        env.Changed();
        CAssignView page(env.app, env.doc);
        page.show();
        QCOMPARE(Child<QLabel>(&page, "extern1Function")->text(),
                 QStringLiteral("Breath-Controller"));
        QCOMPARE(Child<QLabel>(&page, "slide2Function")->text(),
                 QStringLiteral("Benutzerdef. Controller 5"));
        QCOMPARE(Child<QLabel>(&page, "dataEntryFunction")->text(), QStringLiteral("(99)"));
        const auto hasLabel = [&page](const char* text) {
            for (QLabel* label : page.findChildren<QLabel*>())
                if (label->text() == QLatin1String(text))
                    return true;
            return false;
        };
        QVERIFY(hasLabel("Slider 1:"));
        env.app.SetKeyboardType(presetor::kLmk4);
        QVERIFY(hasLabel("Slider 1:"));
        page.hide();
        QVERIFY(hasLabel("CTR1:"));
        QVERIFY(hasLabel("CTR2:"));
        QVERIFY(hasLabel("CTR3:"));
    }
};

QTEST_MAIN(AssignViewTest)
#include "AssignViewTest.moc"
