#include "databasefixtures.h"
#include "uninstallation.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(UninstallResult)
Q_DECLARE_METATYPE(TargetKind)

namespace {

const QString vendorFolder = QStringLiteral("/Devices/Kestrilon");

} // namespace

class tst_Uninstallation : public QObject
{
    Q_OBJECT

private slots:
    void removesOnlyWhatWasInstalled_data();
    void removesOnlyWhatWasInstalled();
    void writesTheStoredText_data();
    void writesTheStoredText();
    void secondUninstallFindsNothing();
    void emptiedUserFolderGoes_data();
    void emptiedUserFolderGoes();
};

void tst_Uninstallation::removesOnlyWhatWasInstalled_data()
{
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("userFile"); // a file of the user's own, below the folder
    QTest::addColumn<UninstallResult>("result");
    QTest::addColumn<bool>("loaderFolderLeft");
    QTest::addColumn<bool>("vendorFolderLeft");

    QTest::newRow("installation") << true << QString() << UninstallResult::Removed << false
                                  << false;
    QTest::newRow("user's file in the loader folder")
        << true << loaderFolder + QStringLiteral("/mine.FLM") << UninstallResult::Removed << true
        << true;
    QTest::newRow("user's file beside the loader folder")
        << true << vendorFolder + QStringLiteral("/notes.txt") << UninstallResult::Removed << false
        << true;
    QTest::newRow("nothing installed")
        << false << QString() << UninstallResult::NothingToRemove << false << false;
    QTest::newRow("only an empty loader folder")
        << false << loaderFolder + QLatin1Char('/') << UninstallResult::Removed << false << false;
}

void tst_Uninstallation::removesOnlyWhatWasInstalled()
{
    QFETCH(bool, installed);
    QFETCH(QString, userFile);
    QFETCH(UninstallResult, result);
    QFETCH(bool, loaderFolderLeft);
    QFETCH(bool, vendorFolderLeft);
    QTemporaryDir dir;
    const QString strDatabase = dir.path() + QStringLiteral("/JLinkDevices.xml");
    QVERIFY(writeFile(strDatabase, otherVendorsDatabase(3)));
    const QString strOthers = splitVendorEntries(strDatabase).strOthers;
    if (installed)
        QVERIFY(install(dir.path()));
    if (userFile.endsWith(QLatin1Char('/'))) {
        QVERIFY(QDir().mkpath(dir.path() + userFile));
    } else if (!userFile.isEmpty()) {
        QVERIFY(QDir().mkpath(QFileInfo(dir.path() + userFile).path()));
        QVERIFY(writeFile(dir.path() + userFile, "the user's own"));
    }
    const QByteArray databaseBefore = readFile(strDatabase);

    QString strErroInfo;
    QCOMPARE(uninstall(dir.path(), strErroInfo), result);
    QVERIFY(strErroInfo.isEmpty());
    const VendorSplit split = splitVendorEntries(strDatabase);
    QCOMPARE(split.nOurs, 0);
    QCOMPARE(split.strOthers, strOthers);
    if (!installed)
        QCOMPARE(readFile(strDatabase), databaseBefore);
    if (!userFile.isEmpty() && !userFile.endsWith(QLatin1Char('/')))
        QCOMPARE(readFile(dir.path() + userFile), QByteArray("the user's own"));
    QCOMPARE(QFileInfo::exists(dir.path() + loaderFolder), loaderFolderLeft);
    QCOMPARE(QFileInfo::exists(dir.path() + vendorFolder), vendorFolderLeft);
    // Devices is J-Link's own.
    if (installed)
        QVERIFY(QFileInfo::exists(dir.path() + QStringLiteral("/Devices")));
    if (loaderFolderLeft)
        QCOMPARE(QDir(dir.path() + loaderFolder).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
                 QStringList{QFileInfo(userFile).fileName()});
}

void tst_Uninstallation::writesTheStoredText_data()
{
    QTest::addColumn<QByteArray>("database");
    QTest::addColumn<QByteArray>("stored"); // with "\n" line ends

    const QByteArray ours("<Device><ChipInfo Vendor=\"Kestrilon\" Name=\"QN58\"/></Device>");
    const QByteArray others("<Device><ChipInfo Vendor=\"ST\" Name=\"A\" Core=\"M4\"/></Device>"
                            "<!-- c -->" + ours + "<?tool x?>\nt");
    const QByteArray stored("<DataBase>\n  <Device>\n    <ChipInfo Name=\"A\" Core=\"M4\" Vendor=\"ST\"/>\n"
                            "  </Device>\n  <!-- c -->\n<?tool x?>\nt</DataBase>\n");
    QTest::newRow("the single pass") << "<DataBase>" + ours + others + "</DataBase>" << stored;
    QTest::newRow("a document type") << "<!DOCTYPE DataBase><DataBase>" + ours + others + "</DataBase>"
                                     << stored;
}

// Only the vendor's entries go; all else is written as the tree writes it.
void tst_Uninstallation::writesTheStoredText()
{
    QFETCH(QByteArray, database);
    QFETCH(QByteArray, stored);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), database));
    QString strErroInfo;
    QCOMPARE(uninstall(dir.path(), strErroInfo), UninstallResult::Removed);
    QCOMPARE(readFile(dir.path() + QStringLiteral("/JLinkDevices.xml")), withLineEnds(stored));
}

void tst_Uninstallation::secondUninstallFindsNothing()
{
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(3)));
    QVERIFY(install(dir.path()));
    QString strErroInfo;
    QCOMPARE(uninstall(dir.path(), strErroInfo), UninstallResult::Removed);
    const QMap<QString, QByteArray> afterFirst = folderContents(dir.path());
    QCOMPARE(uninstall(dir.path(), strErroInfo), UninstallResult::NothingToRemove);
    QVERIFY(strErroInfo.isEmpty());
    QCOMPARE(folderContents(dir.path()), afterFirst);
}

void tst_Uninstallation::emptiedUserFolderGoes_data()
{
    QTest::addColumn<TargetKind>("kind");
    QTest::addColumn<QByteArray>("database"); // before the installation; none when empty
    QTest::addColumn<bool>("folderLeft");

    QTest::newRow("per-user folder made by the job") << TargetKind::UserFolder << QByteArray()
                                                     << false;
    QTest::newRow("per-user folder with a comment")
        << TargetKind::UserFolder << QByteArray("<DataBase>\n<!-- mine -->\n</DataBase>\n")
        << true;
    QTest::newRow("per-user folder with an attribute")
        << TargetKind::UserFolder << QByteArray("<DataBase Version=\"1\"/>") << true;
    QTest::newRow("per-user folder with another vendor")
        << TargetKind::UserFolder << otherVendorsDatabase(1) << true;
    QTest::newRow("installation: J-Link's database stays")
        << TargetKind::Installation << QByteArray() << true;
}

void tst_Uninstallation::emptiedUserFolderGoes()
{
    QFETCH(TargetKind, kind);
    QFETCH(QByteArray, database);
    QFETCH(bool, folderLeft);
    QTemporaryDir home;
    const QString strFolder = home.path() + QStringLiteral("/SEGGER/JLinkDevices");
    QVERIFY(QDir().mkpath(strFolder));
    QVERIFY(database.isEmpty() || writeFile(strFolder + QStringLiteral("/JLinkDevices.xml"), database));
    QVERIFY(install(strFolder));

    QString strErroInfo;
    QCOMPARE(uninstall(strFolder, strErroInfo, kind), UninstallResult::Removed);
    QCOMPARE(QFileInfo::exists(strFolder + QStringLiteral("/JLinkDevices.xml")), folderLeft);
    QCOMPARE(QFileInfo::exists(strFolder), folderLeft);
    QVERIFY(QFileInfo::exists(home.path() + QStringLiteral("/SEGGER")));
}

QTEST_GUILESS_MAIN(tst_Uninstallation)
#include "tst_uninstallation.moc"
