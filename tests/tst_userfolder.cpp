#include "jlinkversion.h"
#include "temporaryhome.h"
#include "userfolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class tst_UserFolder : public QObject
{
    Q_OBJECT

private slots:
    void pathFollowsTheHome_data();
    void pathFollowsTheHome();
    void versionFromFolderName_data();
    void versionFromFolderName();
#ifndef Q_OS_WIN
    // Windows lets only privileged users make links.
    void versionOfLinkIsThatOfItsFolder();
#endif
};

void tst_UserFolder::pathFollowsTheHome_data()
{
    QTest::addColumn<QString>("home");
    QTest::addColumn<QString>("expected"); // %1 is the temporary folder

#if defined(Q_OS_WIN)
    QTest::newRow("roaming AppData") << "Roaming"
                                     << "%1\\Roaming\\SEGGER\\JLinkDevices";
    QTest::newRow("with a final separator") << "Roaming\\"
                                            << "%1\\Roaming\\SEGGER\\JLinkDevices";
    QTest::newRow("no AppData") << QString() << QString();
#elif defined(Q_OS_MACOS)
    QTest::newRow("home") << "home"
                          << "%1/home/Library/Application Support/SEGGER/JLinkDevices";
    QTest::newRow("no home") << QString() << QString();
#else
    QTest::newRow("home") << "home"
                          << "%1/home/.config/SEGGER/JLinkDevices";
    QTest::newRow("with a final separator") << "home/"
                                            << "%1/home/.config/SEGGER/JLinkDevices";
    // Not the root's .config, as the toolkit's home would have it.
    QTest::newRow("no home") << QString() << QString();
#endif
}

void tst_UserFolder::pathFollowsTheHome()
{
    QFETCH(QString, home);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString strRoot = QDir::toNativeSeparators(dir.path());
    const TemporaryHome temporaryHome(home.isEmpty() ? QString()
                                                     : strRoot + QDir::separator() + home);
    // J-Link does not follow XDG_CONFIG_HOME; neither may the installer.
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(dir.path() + QStringLiteral("/xdg")));
    const QString strFolder = userDeviceFolder();
    qunsetenv("XDG_CONFIG_HOME");
    QCOMPARE(strFolder, expected.isEmpty() ? QString() : expected.arg(strRoot));
}

void tst_UserFolder::versionFromFolderName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("readsUserFolder");

    QTest::newRow("current") << "JLink_V794"
                             << "V7.94" << true;
    QTest::newRow("letter and lower-case v") << "JLink_v780b"
                                             << "V7.80b" << true;
    QTest::newRow("first release reading it") << "JLink_V762"
                                              << "V7.62" << true;
    QTest::newRow("last release before") << "JLink_V760e"
                                         << "V7.60e" << false;
    QTest::newRow("old") << "JLink_V620c"
                         << "V6.20c" << false;
    QTest::newRow("V8") << "JLink_V810"
                        << "V8.10" << true;
    QTest::newRow("registry style") << "V794"
                                    << "V7.94" << true;
    QTest::newRow("with a dot") << "JLink_V7.94a"
                                << "V7.94a" << true;
    QTest::newRow("no version") << "JLink_Custom" << QString() << false;
    QTest::newRow("digits elsewhere") << "MyJLinkV7945" << QString() << false;
}

void tst_UserFolder::versionFromFolderName()
{
    QFETCH(QString, name);
    QFETCH(QString, version);
    QFETCH(bool, readsUserFolder);
    QTemporaryDir dir;
    const QString strFolder = dir.path() + QLatin1Char('/') + name;
    QVERIFY(QDir().mkpath(strFolder));
    QCOMPARE(jlinkVersion(strFolder), version);
    QCOMPARE(readsUserDeviceFolder(jlinkVersion(strFolder)), readsUserFolder);
}

#ifndef Q_OS_WIN
void tst_UserFolder::versionOfLinkIsThatOfItsFolder()
{
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("JLink_V794")));
    QVERIFY(QFile::link(QStringLiteral("JLink_V794"), dir.path() + QStringLiteral("/JLink")));
    QCOMPARE(jlinkVersion(dir.path() + QStringLiteral("/JLink")), QStringLiteral("V7.94"));
}
#endif

QTEST_GUILESS_MAIN(tst_UserFolder)
#include "tst_userfolder.moc"
