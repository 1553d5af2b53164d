#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

#include <QStringList>

// Shows this installer's texts, and the toolkit's in its standard dialogs, in
// the first of languages (most wanted first, as the system lists the user's
// interface languages) that it has a translation for. English, C and POSIX
// end the search: their texts are the ones written in the code. A second
// call replaces what the first loaded.
void installTranslations(const QStringList &languages);
// The same for the user's interface languages.
void installTranslations();

// The user's interface languages on this platform, most wanted first.
QStringList userLanguages();
// Where the toolkit's own translations lie on this platform.
QString toolkitTranslationsFolder();

#endif
