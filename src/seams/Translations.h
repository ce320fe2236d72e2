// The language the program speaks: chosen from the Options/Language setting,
// the environment's LANGUAGE, or the desktop's locale, in that order. The
// program's own texts come from the translations built into it; Qt's own
// dialogs (file, print) from the translations Qt installs.
#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace Translations {

// The languages the program has texts for; English is the source language.
QStringList available();

// The language to speak: `setting` when it names an available language, else
// the first available entry of `languageVariable` (LANGUAGE, "de:en"), else
// the first available UI language of the desktop locale, else "en".
QString choose(const QString& setting, const QString& languageVariable,
               const QStringList& localeLanguages);

// Installs the translators for `language` into the application (nothing for
// English) and returns the language now spoken.
QString install(QCoreApplication& application, const QString& language);

// choose() from the setting, LANGUAGE and the system locale, then install().
QString installPreferred(QCoreApplication& application, const QString& setting);

} // namespace Translations
