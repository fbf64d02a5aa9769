// The application's style around the platform's: the window it draws reads no image format
// plugin, the toolbar's extension arrows are the platform style's own pictures, the group
// frame picture put into QPixmap's cache is the one Qt then finds there, the page groups
// keep their remembering style under the wrapper, and the bars, frames and focus outline it
// draws in clipped pieces come out pixel for pixel as the platform style draws them.
#include "app/ApplicationStyle.h"
#include "PageFactory.h"
#include "ProgramStart.h"
#include "app/CMainFrame.h"
#include "app/CTabView.h"
#include "app/SettingsKeys.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMainWindow>
#include <QPixmapCache>
#include <QScreen>
#include <QScrollBar>
#include <QStandardPaths>
#include <QStyleOption>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include <memory>

namespace {

const QString kGroupFrame =
    QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");

// The image format plugins this process has loaded (Linux: its memory map names them).
QStringList LoadedImagePlugins() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    QStringList plugins;
    if (!maps.open(QIODevice::ReadOnly)) {
        return plugins;
    }
    for (const QByteArray& line : maps.readAll().split('\n')) {
        if (line.contains("/imageformats/")) {
            plugins << QString::fromLocal8Bit(line.mid(line.lastIndexOf(' ') + 1));
        }
    }
    plugins.removeDuplicates();
    return plugins;
}

} // namespace

class ApplicationStyleTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PresetorSession> session;

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        UseApplicationStyle();
        QVERIFY(qobject_cast<ApplicationStyle*>(QApplication::style()));
        QCOMPARE(PlatformStyle()->name(), QStringLiteral("fusion"));
        UseApplicationStyle(); // a second call leaves the one wrapper
        QCOMPARE(qobject_cast<ApplicationStyle*>(QApplication::style())->baseStyle(),
                 PlatformStyle());
    }

    // First: a plugin loaded by any other case would stay loaded.
    void windowReadsNoImageFormatPlugin() {
        if (!QFile::exists(QStringLiteral("/proc/self/maps"))) {
            QSKIP("no memory map to read here");
        }
        PresetorParts parts;
        parts.pages = &CreatePage;
        CMainFrame& frame = StartProgram(dir, parts, settings, session, [](QSettings& first) {
            first.setValue(QString::fromLatin1(presetor::keys::kKeyboardMajor), 4);
            first.setValue(QString::fromLatin1(presetor::keys::kKeyboardMinor), 1);
        });
        frame.TabView()->SetActivePage(3); // a split page: groups with frames
        frame.resize(300, frame.height()); // the toolbar shows its extension arrow
        frame.grab();
        QCOMPARE(LoadedImagePlugins(), QStringList());

        // The groups still remember their titles and frames under the wrapper.
        const auto groups = frame.TabView()->currentWidget()->findChildren<QGroupBox*>();
        QVERIFY(!groups.isEmpty());
        for (const QGroupBox* group : groups) {
            QVERIFY(group->style() != QApplication::style());
            QVERIFY(qobject_cast<const QProxyStyle*>(group->style()));
        }
        session.reset();
    }

    void extensionArrowsAreThePlatformStylesPictures() {
        const auto images = [](const QIcon& icon) {
            QList<QImage> list;
            for (const QSize& size : icon.availableSizes()) {
                list << icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32);
            }
            return list;
        };
        for (const auto pixmap : {QStyle::SP_ToolBarHorizontalExtensionButton,
                                  QStyle::SP_ToolBarVerticalExtensionButton}) {
            for (const auto direction : {Qt::LeftToRight, Qt::RightToLeft}) {
                QStyleOption option;
                option.direction = direction;
                const QIcon ours = QApplication::style()->standardIcon(pixmap, &option);
                const QIcon platform = PlatformStyle()->standardIcon(pixmap, &option);
                QVERIFY(!ours.isNull());
                QCOMPARE(ours.availableSizes(), platform.availableSizes());
                QVERIFY2(images(ours) == images(platform),
                         qPrintable(QStringLiteral("%1 %2").arg(pixmap).arg(direction)));
            }
        }
    }

    void barsAndFramesComeOutAsThePlatformStyleDrawsThem() {
        // A toolbar, a tab widget whose page holds opaque children (the tab widget then paints
        // around them, under a clip of several rectangles), a tall scroll bar, which clips parts
        // of itself, and a list's focus outline, painted into the window's backing store as on
        // screen.
        QMainWindow window;
        QToolBar* bar = window.addToolBar(QStringLiteral("bar"));
        for (const char* text : {"One", "Two", "Three"}) {
            bar->addAction(QString::fromLatin1(text));
        }
        auto* tabs = new QTabWidget;
        auto* page = new QWidget;
        auto* layout = new QHBoxLayout(page);
        for (int i = 0; i < 2; ++i) {
            auto* opaque = new QLineEdit(QStringLiteral("opaque"));
            opaque->setAutoFillBackground(true);
            layout->addWidget(opaque);
        }
        auto* scroll = new QScrollBar(Qt::Vertical);
        scroll->setRange(0, 1000);
        scroll->setMinimumHeight(400);
        layout->addWidget(scroll);
        // An opaque child on the bar leaves it a clip of several pieces too.
        auto* cover = new QWidget(scroll);
        cover->setAutoFillBackground(true);
        cover->setGeometry(2, 150, 6, 20);
        // A list with the focus outlines its current row; an opaque child in the middle of that
        // row leaves the outline a clip of several pieces.
        auto* list = new QTreeWidget;
        list->setAllColumnsShowFocus(true);
        list->setColumnCount(2);
        for (int i = 0; i < 6; ++i) {
            list->addTopLevelItem(new QTreeWidgetItem(
                {QStringLiteral("Row %1").arg(i), QStringLiteral("Sound %1").arg(i)}));
        }
        list->setCurrentItem(list->topLevelItem(2));
        layout->addWidget(list);
        auto* inRow = new QWidget(list->viewport());
        inRow->setAutoFillBackground(true);
        tabs->addTab(page, QStringLiteral("Page"));
        tabs->addTab(new QWidget, QStringLiteral("Other"));
        window.setCentralWidget(tabs);
        window.resize(700, 520);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QApplication::setActiveWindow(&window);
        list->setFocus();
        QVERIFY(QTest::qWaitFor([list] { return list->hasFocus(); }));
        const QRect row = list->visualItemRect(list->topLevelItem(2));
        QVERIFY(row.width() > 100);
        inRow->setGeometry(row.adjusted(30, 4, -60, -4));
        inRow->show();

        const auto painted = [&window] {
            window.repaint();
            return window.screen()
                ->grabWindow(window.winId())
                .toImage()
                .convertToFormat(QImage::Format_RGB32);
        };
        const QImage ours = painted();
        for (QWidget* widget : window.findChildren<QWidget*>()) {
            widget->setStyle(PlatformStyle());
        }
        window.setStyle(PlatformStyle());
        const QImage platform = painted();
        QCOMPARE(ours.size(), window.size());
        QCOMPARE(platform.size(), window.size());
        QVERIFY(ours == platform);
    }

    void groupFramePictureIsTheOneQtFinds() {
        // Qt's own reading leaves the picture under the key we compute.
        QPixmapCache::clear();
        const QPixmap byQt(kGroupFrame);
        QVERIFY(!byQt.isNull());
        QPixmap found;
        QVERIFY(QPixmapCache::find(FilePixmapKey(kGroupFrame), &found));
        QCOMPARE(found.cacheKey(), byQt.cacheKey());

        // And the picture we put there is the one Qt then takes, with the same pixels.
        QPixmapCache::clear();
        CacheFilePixmap(kGroupFrame);
        QPixmap ours;
        QVERIFY(QPixmapCache::find(FilePixmapKey(kGroupFrame), &ours));
        const QPixmap taken(kGroupFrame);
        QCOMPARE(taken.cacheKey(), ours.cacheKey());
        QCOMPARE(taken.toImage(), byQt.toImage());

        // A picture Qt cannot read is not put there.
        QPixmapCache::clear();
        CacheFilePixmap(QStringLiteral(":/no/such/picture.png"));
        QVERIFY(
            !QPixmapCache::find(FilePixmapKey(QStringLiteral(":/no/such/picture.png")), &found));
    }
};

QTEST_MAIN(ApplicationStyleTest)
#include "ApplicationStyleTest.moc"
