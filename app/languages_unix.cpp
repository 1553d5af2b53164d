#include "translations.h"

#include <QLibraryInfo>
#include <QLocale>

// The toolkit reads LANGUAGE, then LC_ALL, LC_MESSAGES and LANG; as with
// gettext, LANGUAGE counts for nothing while the messages' locale is C.
QStringList userLanguages()
{
    QString strMessages;
    for (const char *name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        strMessages = qEnvironmentVariable(name);
        if (!strMessages.isEmpty())
            break;
    }
    if (strMessages.isEmpty() || strMessages == QLatin1String("C")
        || strMessages.startsWith(QLatin1String("C.")) || strMessages == QLatin1String("POSIX"))
        return {QStringLiteral("C")};
    return QLocale::system().uiLanguages();
}

// The system's Qt keeps them (Debian: qttranslations5-l10n).
QString toolkitTranslationsFolder()
{
    return QLibraryInfo::location(QLibraryInfo::TranslationsPath);
}
