#include "translations.h"

#include <QLibraryInfo>
#include <QLocale>

// The toolkit reads LANGUAGE, LC_ALL, LC_MESSAGES and LANG.
QStringList userLanguages()
{
    return QLocale::system().uiLanguages();
}

// The system's Qt keeps them (Debian: qttranslations5-l10n).
QString toolkitTranslationsFolder()
{
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
}
