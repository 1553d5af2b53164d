#include "mainwindow.h"

#include <QApplication>
#include <QStyleFactory>

int main(int argc, char *argv[])
{
    // Neither the desktop's theme nor the user's style choice may restyle the installer.
    qputenv("QT_STYLE_OVERRIDE", "Fusion");
    qputenv("QT_QPA_PLATFORMTHEME", "");

    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    MainWindow window;
    window.show();
    return app.exec();
}
