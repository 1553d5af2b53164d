#include "translations.h"

#include <QCoreApplication>
#include <QLocale>

// The display language, after LANGUAGE when it is set, as programs built
// with gettext read it: a script may ask for the texts of its own logs.
QStringList userLanguages()
{
    QStringList languages =
        qEnvironmentVariable("LANGUAGE").split(QLatin1Char(':'), Qt::SkipEmptyParts);
    return languages + QLocale::system().uiLanguages();
}

// The downloads carry the few that the programs need beside them.
QString toolkitTranslationsFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}
