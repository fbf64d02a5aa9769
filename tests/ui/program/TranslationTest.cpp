// The program in German: the language chosen from the desktop's list or --lang, and a German
// start showing German menus, page texts and tab captions while an English start keeps the
// program's own texts.
#include "app/Translation.h"
#include "PageFactory.h"
#include "ProgramStart.h"
#include "app/CMainFrame.h"
#include "app/PresetorSession.h"
#include "app/SettingsKeys.h"

#include <QLabel>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace {

QStringList MenuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (const QAction* action : frame.menuBar()->actions())
        titles << action->text();
    return titles;
}

QStringList TabCaptions(const CMainFrame& frame) {
    QStringList captions;
    for (const QTabBar* bar : frame.findChildren<QTabBar*>()) {
        for (int i = 0; i < bar->count(); ++i)
            captions << bar->tabText(i);
    }
    return captions;
}

bool HasLabel(const CMainFrame& frame, const QString& text) {
    for (const QLabel* label : frame.findChildren<QLabel*>()) {
        if (label->text() == text)
            return true;
    }
    return false;
}

} // namespace

class TranslationTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;
    std::unique_ptr<QSettings> settings;
    std::unique_ptr<PresetorSession> session;

    CMainFrame& Start() {
        PresetorParts parts;
        parts.pages = &CreatePage;
        return StartProgram(dir, parts, settings, session);
    }

private slots:
    void initTestCase() {
        QStandardPaths::setTestModeEnabled(true);
        qputenv("XDG_DATA_HOME", dir.filePath(QStringLiteral("data")).toLocal8Bit());
        QSettings first(dir.filePath(QStringLiteral("presetor.ini")), QSettings::IniFormat);
        first.setValue(QString::fromLatin1(presetor::keys::kKeyboardMajor), 4);
    }

    void languageFromDesktopOrOverride() {
        using presetor::ChooseLanguage;
        const QString de = QStringLiteral("de");
        QCOMPARE(ChooseLanguage({}, {QStringLiteral("de-DE"), QStringLiteral("en-US")}), de);
        QCOMPARE(ChooseLanguage({}, {QStringLiteral("de-AT")}), de);
        // The first language the desktop names decides; English keeps the program's texts.
        QCOMPARE(ChooseLanguage({}, {QStringLiteral("en-GB"), QStringLiteral("de-DE")}), QString());
        QCOMPARE(ChooseLanguage({}, {QStringLiteral("fr-FR"), QStringLiteral("de-CH")}), de);
        QCOMPARE(ChooseLanguage({}, {QStringLiteral("C")}), QString());
        // --lang overrides the desktop either way.
        QCOMPARE(ChooseLanguage(QStringLiteral("en"), {QStringLiteral("de-DE")}), QString());
        QCOMPARE(ChooseLanguage(QStringLiteral("de"), {QStringLiteral("en-US")}), de);
        QCOMPARE(ChooseLanguage(QStringLiteral("de_DE"), {}), de);
        QCOMPARE(ChooseLanguage(QStringLiteral("xx"), {QStringLiteral("de-DE")}), QString());
        QVERIFY(!presetor::InstallTranslation(QString()));
        QVERIFY(!presetor::InstallTranslation(QStringLiteral("xx")));
    }

    void englishStartKeepsTheProgramsTexts() {
        CMainFrame& frame = Start();
        QCOMPARE(MenuTitles(frame),
                 (QStringList{"&File", "&Edit", "&Presets", "&Options", "&View", "&?"}));
        QVERIFY(TabCaptions(frame).contains(QStringLiteral("Controller-Assignments")));
        session->Finish();
    }

    void germanStartShowsGermanTexts() {
        QVERIFY(presetor::InstallTranslation(QStringLiteral("de")));
        CMainFrame& frame = Start();
        QCOMPARE(MenuTitles(frame),
                 (QStringList{"&Datei", "&Bearbeiten", "&Presets", "&Optionen", "&Ansicht", "&?"}));
        QStringList fileMenu;
        for (const QAction* action : frame.menuBar()->actions().front()->menu()->actions()) {
            if (!action->isSeparator())
                fileMenu << action->text();
        }
        QVERIFY2(fileMenu.startsWith(QStringLiteral("&Neu")), qPrintable(fileMenu.join(',')));
        QVERIFY(fileMenu.contains(QStringLiteral("&Beenden")));
        // The Global page and a page tab made by the factory speak German too.
        QVERIFY(TabCaptions(frame).contains(QStringLiteral("Controller-Zuordnungen")));
        QVERIFY(HasLabel(frame, QStringLiteral("MIDI-&Masterkanal:")));
        session->Finish();
    }
};

QTEST_MAIN(TranslationTest)
#include "TranslationTest.moc"
