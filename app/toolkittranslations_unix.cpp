#include "translations.h"

#include <QLibraryInfo>

// The system's Qt keeps them (Debian: qttranslations5-l10n).
QString toolkitTranslationsFolder()
{
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
}
