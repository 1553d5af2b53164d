#include "databasefixtures.h"
#include "installationstatus.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>


namespace {

// The vendor's entry nIndex, counted from 0; a null element past the last.
QDomElement vendorEntry(const QDomDocument &doc, int nIndex)
{
    QDomElement entry = doc.documentElement().firstChildElement(QStringLiteral("Device"));
    for (; !entry.isNull(); entry = entry.nextSiblingElement(QStringLiteral("Device"))) {
        const QString strVendor = entry.firstChildElement(QStringLiteral("ChipInfo"))
                                      .attribute(QStringLiteral("Vendor"));
        if (strVendor == QLatin1String("Kestrilon") && nIndex-- == 0)
            break;
    }
    return entry;
}

QDomElement otherVendorsEntry(QDomDocument doc)
{
    QDomElement entry = doc.createElement(QStringLiteral("Device"));
    QDomElement chipInfo = doc.createElement(QStringLiteral("ChipInfo"));
    chipInfo.setAttribute(QStringLiteral("Vendor"), QStringLiteral("Other"));
    chipInfo.setAttribute(QStringLiteral("Name"), QStringLiteral("OTHER1"));
    entry.appendChild(chipInfo);
    return entry;
}

// Edits the vendor's installed entries in the folder's database, written back
// as a plain parser would.
PathChange databaseEdit(const std::function<void(QDomDocument, QDomElement)> &edit)
{
    return [edit](const QString &strFolder) {
        const QDomDocument doc = loadXml(strFolder + QStringLiteral("/JLinkDevices.xml"));
        edit(doc, doc.documentElement());
        return writeFile(strFolder + QStringLiteral("/JLinkDevices.xml"), doc.toByteArray(2));
    };
}

// Writes the attributes of the vendor's first ChipInfo in the opposite order.
bool reverseAttributes(const QString &strFolder)
{
    const QString strFileName = strFolder + QStringLiteral("/JLinkDevices.xml");
    QString strText = QString::fromUtf8(readFile(strFileName));
    const QRegularExpression chipInfo(QStringLiteral(
        "<ChipInfo ((?:\\w+=\"[^\"]*\" ?)*Vendor=\"Kestrilon\"(?: ?\\w+=\"[^\"]*\")*)/>"));
    const QRegularExpressionMatch match = chipInfo.match(strText);
    if (!match.hasMatch())
        return false;
    QStringList attributes;
    QRegularExpressionMatchIterator it
        = QRegularExpression(QStringLiteral("\\w+=\"[^\"]*\"")).globalMatch(match.captured(1));
    while (it.hasNext())
        attributes.prepend(it.next().captured());
    strText.replace(match.capturedStart(1), match.capturedLength(1),
                    attributes.join(QLatin1Char(' ')));
    return writeFile(strFileName, strText.toUtf8());
}

bool flipLoaderByte(const QString &strFolder)
{
    const QString strLoader = strFolder + loaderFolder + QStringLiteral("/QN58K212_128.FLM");
    QByteArray content = readFile(strLoader);
    content[100] = char(content.at(100) ^ 1);
    return writeFile(strLoader, content);
}

} // namespace

class tst_InstallationStatus : public QObject
{
    Q_OBJECT

private slots:
    void statusOfInstallation_data();
    void statusOfInstallation();
    void statusOfFolderWithoutInstallation_data();
    void statusOfFolderWithoutInstallation();
};

void tst_InstallationStatus::statusOfInstallation_data()
{
    QTest::addColumn<PathChange>("change");
    QTest::addColumn<QString>("line");

    QTest::newRow("exact") << PathChange([](const QString &) { return true; }) << "installed";
    QTest::newRow("attribute order") << PathChange(reverseAttributes) << "installed";
    QTest::newRow("other vendor between") << databaseEdit([](QDomDocument doc, QDomElement root) {
        root.insertAfter(otherVendorsEntry(doc), vendorEntry(doc, 0));
    }) << "installed";
    QTest::newRow("one attribute") << databaseEdit([](QDomDocument doc, QDomElement) {
        vendorEntry(doc, 0).firstChildElement(QStringLiteral("ChipInfo"))
            .setAttribute(QStringLiteral("WorkRAMSize"), QStringLiteral("0x010000"));
    }) << "differs: changed devices: -QN58K212ZCT6";
    const auto appendToEntry = [](const std::function<QDomNode(QDomDocument)> &make) {
        return databaseEdit([make](QDomDocument doc, QDomElement) {
            vendorEntry(doc, 0).appendChild(make(doc));
        });
    };
    QTest::newRow("blanks inside an entry") << appendToEntry([](QDomDocument doc) {
        return doc.createTextNode(QStringLiteral("\n   "));
    }) << "installed";
    QTest::newRow("text inside an entry") << appendToEntry([](QDomDocument doc) {
        return doc.createTextNode(QStringLiteral("x"));
    }) << "differs: changed devices: -QN58K212ZCT6";
    QTest::newRow("comment inside an entry") << appendToEntry([](QDomDocument doc) {
        return doc.createComment(QStringLiteral("x"));
    }) << "differs: changed devices: -QN58K212ZCT6";
    QTest::newRow("stale entry") << databaseEdit([](QDomDocument doc, QDomElement root) {
        QDomElement stale = otherVendorsEntry(doc);
        stale.firstChildElement().setAttribute(QStringLiteral("Vendor"), QStringLiteral("Kestrilon"));
        stale.firstChildElement().setAttribute(QStringLiteral("Name"), QStringLiteral("QN58OLD"));
        root.appendChild(stale);
    }) << "differs: stale entries: QN58OLD";
    QTest::newRow("entry twice") << databaseEdit([](QDomDocument doc, QDomElement root) {
        root.appendChild(vendorEntry(doc, 0).cloneNode());
    }) << "differs: stale entries: -QN58K212ZCT6";
    QTest::newRow("missing entry") << databaseEdit([](QDomDocument doc, QDomElement root) {
        root.removeChild(vendorEntry(doc, 1));
    }) << "differs: missing devices: -QN58K212VCT6";
    QTest::newRow("entries swapped") << databaseEdit([](QDomDocument doc, QDomElement root) {
        root.insertAfter(vendorEntry(doc, 0), vendorEntry(doc, 1));
    }) << "differs: entries out of catalogue order";
    QTest::newRow("no entries, files left") << databaseEdit([](QDomDocument doc, QDomElement root) {
        while (!vendorEntry(doc, 0).isNull())
            root.removeChild(vendorEntry(doc, 0));
    }) << "differs: missing devices: -QN58K212ZCT6, -QN58K212VCT6, -QN58K212RCT6, "
          "-QN58K212CCT6, -QN58K212ZGT6 and 523 more";
    QTest::newRow("one loader byte") << PathChange(flipLoaderByte)
                                     << "differs: changed files: QN58K212_128.FLM";
    QTest::newRow("missing file") << PathChange([](const QString &strFolder) {
        return QFile::remove(strFolder + loaderFolder + QStringLiteral("/QN58Kxxx.JLinkScript"));
    }) << "differs: missing files: QN58Kxxx.JLinkScript";
    QTest::newRow("entries left, no files") << PathChange([](const QString &strFolder) {
        return QDir(strFolder + loaderFolder).removeRecursively();
    }) << "differs: missing files: QN58Kxxx.JLinkScript, QN58K212_128.FLM, QN58K212_256.FLM, "
          "QN58K212_512.FLM, QN58K212_1024.FLM and 261 more";
}

void tst_InstallationStatus::statusOfInstallation()
{
    QFETCH(PathChange, change);
    QFETCH(QString, line);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), otherVendorsDatabase(3)));
    QVERIFY(install(dir.path()));
    QVERIFY(change(dir.path()));
    const QMap<QString, QByteArray> before = folderContents(dir.path());

    const InstallationStatus status = checkInstallation(dir.path());
    QCOMPARE(statusText(status), line);
    QCOMPARE(status.state == InstallationStatus::State::Installed,
             line == QLatin1String("installed"));
    // Looking changes nothing.
    QCOMPARE(folderContents(dir.path()), before);
}

void tst_InstallationStatus::statusOfFolderWithoutInstallation_data()
{
    QTest::addColumn<QByteArray>("database");

    QTest::newRow("empty folder") << QByteArray();
    QTest::newRow("other vendors only") << otherVendorsDatabase(3);
}

void tst_InstallationStatus::statusOfFolderWithoutInstallation()
{
    QFETCH(QByteArray, database);
    QTemporaryDir dir;
    if (!database.isEmpty())
        QVERIFY(writeFile(dir.path() + QStringLiteral("/JLinkDevices.xml"), database));
    const InstallationStatus status = checkInstallation(dir.path());
    QCOMPARE(status.state, InstallationStatus::State::NotInstalled);
    QCOMPARE(statusText(status), QStringLiteral("not installed"));
}

QTEST_GUILESS_MAIN(tst_InstallationStatus)
#include "tst_installationstatus.moc"
