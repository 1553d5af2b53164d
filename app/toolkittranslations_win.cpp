#include "translations.h"

#include <QCoreApplication>

// The downloads carry the few that the programs need beside them.
QString toolkitTranslationsFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/translations");
}
