#include "databasefixtures.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class tst_Cli : public QObject
{
    Q_OBJECT

private slots:
    void outcome_data();
    void outcome();
    void usage_data();
    void usage();
};

void tst_Cli::outcome_data()
{
    QTest::addColumn<QString>("blocker");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("line");

    QTest::newRow("success") << QString() << 0
                             << "Setup has performed all requested operations successfully";
    QTest::newRow("removal failed") << "JLinkDevices.xml/" << 1
                                    << "\"JLinkDevices.xml\" access failed";
    QTest::newRow("database cannot be created") << "." << 1 << "Setup has failed";
    QTest::newRow("deployment failed") << "Devices" << 3 << "Setup has failed";
#ifndef Q_OS_WIN
    // The entries do not fit below the file size limit, as on a full disk;
    // Windows has no such limit.
    QTest::newRow("registration failed") << "limit" << 2 << "\"JLinkDevices.xml\" access failed";
#endif
}

void tst_Cli::outcome()
{
    QFETCH(QString, blocker);
    QFETCH(int, exitCode);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QString strFolder = dir.path();
    QVERIFY(writeFile(strFolder + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(1)));
    if (blocker == QLatin1String(".")) {
        // A plain file given as the folder: nothing can be created below it.
        strFolder += QStringLiteral("/JLinkDevices.xml");
    } else if (blocker.endsWith(QLatin1Char('/'))) {
        QVERIFY(QFile::remove(strFolder + QLatin1Char('/') + blocker.chopped(1)));
        QVERIFY(QDir().mkdir(strFolder + QLatin1Char('/') + blocker));
    } else if (blocker != QLatin1String("limit") && !blocker.isEmpty()) {
        QVERIFY(writeFile(strFolder + QLatin1Char('/') + blocker, "in the way"));
    }

    QString strProgram = QStringLiteral(QN58_CLI_PATH);
    QStringList arguments{strFolder};
#ifndef Q_OS_WIN
    if (blocker == QLatin1String("limit")) {
        // An ignored signal stays ignored across exec, so writes fail instead of killing.
        arguments = QStringList{QStringLiteral("-c"),
                                QStringLiteral("trap '' XFSZ; exec prlimit --fsize=65536 \"$@\""),
                                QStringLiteral("sh"), strProgram, strFolder};
        strProgram = QStringLiteral("sh");
    }
#endif
    QProcess cli;
    cli.start(strProgram, arguments);
    QVERIFY(cli.waitForFinished(-1));
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), exitCode);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), line + QLatin1String(lineEnd));
}

void tst_Cli::usage_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<bool>("onStandardOutput");

    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0 << true;
    QTest::newRow("no folder") << QStringList() << 64 << false;
    QTest::newRow("empty folder") << QStringList{QString()} << 64 << false;
    QTest::newRow("two folders") << QStringList{QStringLiteral("/a"), QStringLiteral("/b")} << 64
                                 << false;
}

void tst_Cli::usage()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(bool, onStandardOutput);

    QProcess cli;
    cli.start(QStringLiteral(QN58_CLI_PATH), arguments);
    QVERIFY(cli.waitForFinished(-1));
    QCOMPARE(cli.exitCode(), exitCode);
    const QByteArray out = cli.readAllStandardOutput();
    const QByteArray err = cli.readAllStandardError();
    // The program's name alone, without folder or ".exe".
    const QByteArray usageLine = QByteArray("Usage: qn58-jlink-setup-cli <J-Link folder>") + lineEnd;
    // A mistake is named in one line before the usage.
    const QByteArray usageText
        = onStandardOutput ? out : err.mid(err.indexOf(lineEnd) + qstrlen(lineEnd));
    QVERIFY2(usageText.startsWith(usageLine), usageText.constData());
    QVERIFY((onStandardOutput ? err : out).isEmpty());
}

QTEST_GUILESS_MAIN(tst_Cli)
#include "tst_cli.moc"
