// The installation job without a window, for lab machines and scripts: a
// J-Link folder alone is installed into as the window does; commands
// install, check and remove on several targets at once.

#include "commandline.h"
#include "librarysearch.h"
#include "translations.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    restrictLibrarySearch();
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationVersion(QStringLiteral(QN58_VERSION));
    installTranslations();
    return runCommandLine(QCoreApplication::arguments());
}
