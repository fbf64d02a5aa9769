// The Controller page: each function list edits its own (crossed) element of the record, the
// user controller spins, and the slider labels by keyboard type on activation.
#include "CControllerView.h"
#include "PageTestEnv.h"

#include <QComboBox>
#include <QLabel>
#include <QSpinBox>
#include <QTest>

class ControllerViewTest : public QObject {
    Q_OBJECT

private slots:
    void listsEditTheirElements() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().ctrlAssign.fill(0);
        env.Current().switchAssign.fill(0);
        env.Changed();
        CControllerView page(env.app, env.doc);
        page.show();
        const struct {
            const char* list;
            int element;
        } rows[] = {{"wheel1", 0},    {"wheel2", 1},     {"slide1", 4},  {"slide2", 6},
                    {"dataEntry", 7}, {"aftertouch", 5}, {"extern1", 3}, {"extern2", 2}};
        int code = 8;
        for (const auto& row : rows) {
            auto* list = Child<QComboBox>(&page, row.list);
            QCOMPARE(list->count(), 16);
            list->setCurrentIndex(code);
            QCOMPARE(int(env.Current().ctrlAssign[static_cast<std::size_t>(row.element)]), code);
            ++code;
        }
        // Each list changed exactly its element: codes 8..15 in the page's order.
        const std::array<std::uint8_t, 8> expected{8, 9, 15, 14, 10, 13, 11, 12};
        QCOMPARE(env.Current().ctrlAssign, expected);

        auto* switch2 = Child<QComboBox>(&page, "externSwitch2");
        QCOMPARE(switch2->itemText(4), QStringLiteral("Link"));
        switch2->setCurrentIndex(4);
        QCOMPARE(int(env.Current().switchAssign[1]), 4);
        QCOMPARE(int(env.Current().switchAssign[0]), 0);

        // Loading shows the stored codes; a code beyond the list shows no selection.
        env.Current().ctrlAssign[3] = 2;
        env.Current().ctrlAssign[2] = 40;
        env.Changed();
        QCOMPARE(Child<QComboBox>(&page, "extern1")->currentIndex(), 2);
        QCOMPARE(Child<QComboBox>(&page, "extern2")->currentIndex(), -1);
    }

    void userControllers() {
        PageTestEnv env(presetor::kLmk4);
        env.Current().userCtrlNumber[5] = 127;
        env.Changed();
        CControllerView page(env.app, env.doc);
        page.show();
        auto* ctrl6 = Child<QSpinBox>(&page, "userCtrl6");
        QCOMPARE(ctrl6->text(), QStringLiteral("127"));
        QTest::keyClick(ctrl6, Qt::Key_Up); // no wrap-around
        QCOMPARE(int(env.Current().userCtrlNumber[5]), 127);
        QTest::keyClick(ctrl6, Qt::Key_Down);
        QCOMPARE(int(env.Current().userCtrlNumber[5]), 126);
        QCOMPARE(int(env.Current().userCtrlNumber[4]), 0);
    }

    void labelsByKeyboardTypeOnActivation() {
        PageTestEnv env(presetor::kLmk3);
        CControllerView page(env.app, env.doc);
        page.show();
        const auto texts = [&page] {
            QStringList all;
            for (QLabel* label : page.findChildren<QLabel*>())
                all << label->text();
            return all;
        };
        QVERIFY(texts().contains(QStringLiteral("Slider 1:")));
        QVERIFY(texts().contains(QStringLiteral("Data Entry:")));
        env.app.SetKeyboardType(presetor::kLmk4);
        // The labels change at the next activation or deactivation.
        QVERIFY(texts().contains(QStringLiteral("Slider 2:")));
        page.hide();
        QVERIFY(texts().contains(QStringLiteral("CTR1:")));
        QVERIFY(texts().contains(QStringLiteral("CTR2:")));
        QVERIFY(texts().contains(QStringLiteral("CTR3:")));
        QVERIFY(!texts().contains(QStringLiteral("Slider 1:")));
    }
};

QTEST_MAIN(ControllerViewTest)
#include "ControllerViewTest.moc"
