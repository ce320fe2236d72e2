#include "seams/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace Translations {

namespace {

// "de_DE.UTF-8", "de-AT" and "DE" all speak "de".
QString languageOf(const QString& name) {
    return name.section(QLatin1Char('.'), 0, 0)
        .section(QLatin1Char('_'), 0, 0)
        .section(QLatin1Char('-'), 0, 0)
        .trimmed()
        .toLower();
}

QString firstAvailable(const QStringList& names) {
    const QStringList known = available();
    for (const QString& name : names) {
        const QString language = languageOf(name);
        if (known.contains(language))
            return language;
    }
    return {};
}

} // namespace

QStringList available() {
    return {QStringLiteral("en"), QStringLiteral("cs"), QStringLiteral("de")};
}

QString choose(const QString& setting, const QString& languageVariable,
               const QStringList& localeLanguages) {
    for (const QString& candidate :
         {firstAvailable({setting}), firstAvailable(languageVariable.split(QLatin1Char(':'))),
          firstAvailable(localeLanguages)}) {
        if (!candidate.isEmpty())
            return candidate;
    }
    return QStringLiteral("en");
}

QString install(QCoreApplication& application, const QString& language) {
    if (language == QLatin1String("en") || !available().contains(language))
        return QStringLiteral("en");
    // Owned by the application, which keeps them for as long as it runs.
    auto* own = new QTranslator(&application);
    if (!own->load(QStringLiteral(":/i18n/quillary_%1.qm").arg(language))) {
        delete own;
        return QStringLiteral("en");
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts (the buttons of a message box, the file and print
    // dialogs) come with Qt; without them those stay in English.
    auto* qt = new QTranslator(&application);
    if (qt->load(QStringLiteral("qt_%1").arg(language),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    return language;
}

QString installPreferred(QCoreApplication& application, const QString& setting) {
    const QString language =
        choose(setting, qEnvironmentVariable("LANGUAGE"), QLocale::system().uiLanguages());
    return install(application, language);
}

} // namespace Translations
