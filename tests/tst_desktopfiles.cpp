// The files that integrate the programs into the desktop and the Debian
// package name each other and the project's version; no validator checks that.

#include "commandline.h"
#include "support.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QtTest>

namespace {

const QString appId = QStringLiteral("com.kestrilon.qn58jlinksetup");

QString packagingFile(const QString &name)
{
    return QStringLiteral(QN58_PACKAGING_DIR "/") + name;
}

} // namespace

class tst_DesktopFiles : public QObject
{
    Q_OBJECT

private slots:
    void newestReleaseIsTheProjectVersion_data();
    void newestReleaseIsTheProjectVersion();
    void filesNameEachOther_data();
    void filesNameEachOther();
    void translatedIntoEachLanguage_data();
    void translatedIntoEachLanguage();
    void iconIsDrawnAtThemeSize_data();
    void iconIsDrawnAtThemeSize();
};

void tst_DesktopFiles::newestReleaseIsTheProjectVersion_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("newestVersion");

    // Both list the newest release first.
    QTest::newRow("Debian changelog")
        << packagingFile(QStringLiteral("changelog"))
        << QStringLiteral("^qn58-jlink-setup \\(([^)]+)\\)");
    QTest::newRow("AppStream metadata")
        << packagingFile(appId + QStringLiteral(".metainfo.xml"))
        << QStringLiteral("<release version=\"([^\"]+)\"");
}

void tst_DesktopFiles::newestReleaseIsTheProjectVersion()
{
    QFETCH(QString, file);
    QFETCH(QString, newestVersion);

    const QRegularExpressionMatch match =
        QRegularExpression(newestVersion).match(QString::fromUtf8(readFile(file)));
    QVERIFY2(match.hasMatch(), qPrintable(file));
    QCOMPARE(match.captured(1), QStringLiteral(QN58_VERSION));
}

void tst_DesktopFiles::filesNameEachOther_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("line");

    const QString desktopEntry = packagingFile(appId + QStringLiteral(".desktop"));
    QTest::newRow("menu entry starts the window")
        << desktopEntry << QStringLiteral("Exec=qn58-jlink-setup");
    QTest::newRow("menu entry shows the drawn icon")
        << desktopEntry << QStringLiteral("Icon=com.kestrilon.qn58jlinksetup");
    QTest::newRow("menu entry matches the window's class")
        << desktopEntry << QStringLiteral("StartupWMClass=qn58-jlink-setup");
    QTest::newRow("metadata names the menu entry")
        << packagingFile(appId + QStringLiteral(".metainfo.xml"))
        << QStringLiteral(
               "<launchable type=\"desktop-id\">com.kestrilon.qn58jlinksetup.desktop</launchable>");
    // The whole synopsis block, between empty lines.
    const QString indent = QStringLiteral("\n    ");
    QTest::newRow("README shows the console usage")
        << packagingFile(QStringLiteral("../README.md"))
        << indent + usageLines(QStringLiteral("qn58-jlink-setup-cli")).join(indent)
            + QLatin1Char('\n');
}

void tst_DesktopFiles::filesNameEachOther()
{
    QFETCH(QString, file);
    QFETCH(QString, line);

    const QRegularExpression wholeLine(
        QStringLiteral("^\\s*%1\\s*$").arg(QRegularExpression::escape(line)),
        QRegularExpression::MultilineOption);
    QVERIFY2(wholeLine.match(QString::fromUtf8(readFile(file))).hasMatch(), qPrintable(file));
}

// Each language of the programs names and describes them in menus and
// software centres too.
void tst_DesktopFiles::translatedIntoEachLanguage_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("pattern");

    const QString desktopEntry = packagingFile(appId + QStringLiteral(".desktop"));
    const QString metadata = packagingFile(appId + QStringLiteral(".metainfo.xml"));
    for (const QString &language : QStringLiteral(QN58_LANGUAGES).split(QLatin1Char(' '))) {
        const QString key =
            QRegularExpression::escape(QLatin1Char('[') + language + QLatin1Char(']'));
        const QString lang = QStringLiteral(" xml:lang=\"%1\">[^<]+<").arg(language);
        const QByteArray name = language.toLatin1();
        QTest::addRow("menu entry's name, %s", name.constData())
            << desktopEntry << QStringLiteral("^Name%1=\\S").arg(key);
        QTest::addRow("menu entry's comment, %s", name.constData())
            << desktopEntry << QStringLiteral("^Comment%1=\\S").arg(key);
        QTest::addRow("metadata's name, %s", name.constData())
            << metadata << QStringLiteral("<name") + lang;
        QTest::addRow("metadata's summary, %s", name.constData())
            << metadata << QStringLiteral("<summary") + lang;
        QTest::addRow("metadata's description, %s", name.constData())
            << metadata << QStringLiteral("<p") + lang;
    }
}

void tst_DesktopFiles::translatedIntoEachLanguage()
{
    QFETCH(QString, file);
    QFETCH(QString, pattern);
    const QRegularExpression expression(pattern, QRegularExpression::MultilineOption);
    QVERIFY2(expression.match(QString::fromUtf8(readFile(file))).hasMatch(), qPrintable(pattern));
}

void tst_DesktopFiles::iconIsDrawnAtThemeSize_data()
{
    QTest::addColumn<int>("size");

    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        QTest::addRow("%dx%d", size, size) << size;
}

void tst_DesktopFiles::iconIsDrawnAtThemeSize()
{
    QFETCH(int, size);

    const QString path = QStringLiteral(QN58_ICON_DIR "/%1x%1/apps/com.kestrilon.qn58jlinksetup.png")
                             .arg(size);
    const QImage icon(path);
    QVERIFY2(!icon.isNull(), qPrintable(path));
    QCOMPARE(icon.size(), QSize(size, size));
    // The chip's pins leave the corners clear; its body fills the middle.
    QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
    QCOMPARE(qAlpha(icon.pixel(size - 1, size - 1)), 0);
    QCOMPARE(qAlpha(icon.pixel(size / 2, size / 2)), 255);
}

QTEST_GUILESS_MAIN(tst_DesktopFiles)
#include "tst_desktopfiles.moc"
