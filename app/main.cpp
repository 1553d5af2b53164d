#include "librarysearch.h"
#include "mainwindow.h"
#include "translations.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    restrictLibrarySearch();
    // Neither the desktop's theme nor the user's style choice may restyle the installer.
    qputenv("QT_STYLE_OVERRIDE", "Fusion");
    qputenv("QT_QPA_PLATFORMTHEME", "");
    // The window's fonts are in points, its layout in pixels: the toolkit
    // scales both by the screen's exact factor (125 % is not rounded to 100 %)
    // and draws icons at that scale rather than enlarging them.
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);

    argc = dropPluginOptions(argc, argv);
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installTranslations();

    MainWindow window;
    window.show();
    return app.exec();
}
