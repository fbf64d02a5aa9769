#include "Translation.h"

#include "Resources.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace presetor {

namespace {

// "de_DE", "de-AT", "DE" -> "de".
QString BaseLanguage(const QString& name) {
    return name.section(QLatin1Char('_'), 0, 0).section(QLatin1Char('-'), 0, 0).toLower();
}

} // namespace

QStringList TranslatedLanguages() {
    return {QStringLiteral("de")};
}

QString ChooseLanguage(const QString& override, const QStringList& desktopLanguages) {
    if (!override.isEmpty()) {
        const QString language = BaseLanguage(override);
        return TranslatedLanguages().contains(language) ? language : QString();
    }
    // The desktop lists its languages by preference; the first one decides, so a user who
    // prefers English over German keeps English.
    for (const QString& name : desktopLanguages) {
        const QString language = BaseLanguage(name);
        if (language == QLatin1String("en") || language == QLatin1String("c"))
            return QString();
        if (TranslatedLanguages().contains(language))
            return language;
    }
    return QString();
}

bool InstallTranslation(const QString& language) {
    if (language.isEmpty())
        return false;
    InitResources();
    auto* own = new QTranslator(QCoreApplication::instance());
    if (!own->load(QStringLiteral(":/i18n/presetor_%1.qm").arg(language))) {
        delete own;
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts (Yes, No, Cancel of the message boxes) when the system has them.
    auto* qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(QStringLiteral("qtbase_%1").arg(language),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return true;
}

} // namespace presetor
