// Any bytes as J-Link's database, through the three commands that read it.
// install either refuses them and leaves the file as it was, or saves a file
// that loads again and that a second run leaves byte for byte as it is.
// Where the load accepts them, the edits made on the text write what the
// tree's write, with the catalogue's entries (install) and without
// (uninstall), and status reads the verdict the tree reads. After an install,
// uninstall gives back the input less the vendor's entries.

#include "databaseupdate.h"
#include "devicedatabase.h"
#include "installationstatus.h"
#include "jlinkaddqn58mcu.h"
#include "registration.h"
#include "textrewriter.h"
#include "uninstallation.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDomNamedNodeMap>
#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

// Inputs that reached each comparison, printed at the end of the run.
int nInstalled = 0;
int nUninstalled = 0;
int nStatusRead = 0;

QByteArray readAll(const QString &strFileName)
{
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

bool writeAll(const QString &strFileName, const QByteArray &content)
{
    QFile file(strFileName);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

[[noreturn]] void violated(const char *pszWhat, const QString &strReason = QString())
{
    std::fprintf(stderr, "%s%s%s\n", pszWhat, strReason.isEmpty() ? "" : ": ",
                 qUtf8Printable(strReason));
    std::abort();
}

// The job's whole database edit: 0, or the code of the step that refused.
int updateDevices(const QString &strJLinkPath, QString &strReason)
{
    QString strErroInfo;
    Reason reason;
    const int nResult = JLinkAddQN58MCU::updateDevices(strJLinkPath, strErroInfo, &reason);
    strReason = reason.text();
    return nResult;
}

// The tree's reading of status: each entry as the tree holds it, compared
// node by node with the catalogue's, attributes as sets.
namespace tree {

QString deviceName(const QDomElement &entry)
{
    for (QDomElement chipInfo = entry.firstChildElement(QStringLiteral("ChipInfo"));
         !chipInfo.isNull(); chipInfo = chipInfo.nextSiblingElement(QStringLiteral("ChipInfo"))) {
        if (chipInfo.attribute(QStringLiteral("Vendor")) == Vendor::name())
            return chipInfo.attribute(QStringLiteral("Name"));
    }
    return QString();
}

QVector<QDomElement> vendorEntries(const QDomElement &root)
{
    QVector<QDomElement> entries;
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (isVendorEntry(node))
            entries.append(node.toElement());
    }
    return entries;
}

bool sameNode(const QDomNode &a, const QDomNode &b)
{
    const QDomNamedNodeMap aAttributes = a.attributes();
    const QDomNamedNodeMap bAttributes = b.attributes();
    if (a.nodeType() != b.nodeType() || a.nodeName() != b.nodeName()
        || a.nodeValue() != b.nodeValue() || aAttributes.count() != bAttributes.count())
        return false;
    for (int i = 0; i < aAttributes.count(); ++i) {
        const QDomNode other = bAttributes.namedItem(aAttributes.item(i).nodeName());
        if (other.isNull() || other.nodeValue() != aAttributes.item(i).nodeValue())
            return false;
    }
    const QDomNodeList aChildren = a.childNodes();
    const QDomNodeList bChildren = b.childNodes();
    if (aChildren.count() != bChildren.count())
        return false;
    for (int i = 0; i < aChildren.count(); ++i) {
        if (!sameNode(aChildren.at(i), bChildren.at(i)))
            return false;
    }
    return true;
}

InstallationStatus entriesStatus(const QDomDocument &doc)
{
    static const QDomDocument catalogue = [] {
        QDomDocument expected;
        expected.appendChild(expected.createElement(QStringLiteral("DataBase")));
        addCatalogueEntries(expected);
        return expected;
    }();
    const QVector<QDomElement> expected = vendorEntries(catalogue.documentElement());
    QHash<QString, int> indexOf;
    for (int i = 0; i < expected.size(); ++i)
        indexOf.insert(deviceName(expected.at(i)), i);
    InstallationStatus status;
    QVector<bool> seen(expected.size(), false);
    int nPrevious = -1;
    for (const QDomElement &entry : vendorEntries(doc.documentElement())) {
        const QString strName = deviceName(entry);
        const int nIndex = indexOf.value(strName, -1);
        if (nIndex < 0 || seen.at(nIndex)) {
            status.extraEntries.append(strName);
            continue;
        }
        seen[nIndex] = true;
        if (!sameNode(entry, expected.at(nIndex)))
            status.changedDevices.append(strName);
        status.bOutOfOrder = status.bOutOfOrder || nIndex < nPrevious;
        nPrevious = nIndex;
    }
    for (int i = 0; i < expected.size(); ++i) {
        if (!seen.at(i))
            status.missingDevices.append(deviceName(expected.at(i)));
    }
    return status;
}

} // namespace tree

void compareStatusWithTree(const QString &strJLinkPath, const QDomDocument &doc)
{
    const InstallationStatus status = checkInstallation(strJLinkPath);
    if (status.state == InstallationStatus::State::Unreadable)
        violated("status cannot read what the tree loads", status.reason.text());
    const InstallationStatus expected = tree::entriesStatus(doc);
    if (status.missingDevices != expected.missingDevices
        || status.changedDevices != expected.changedDevices
        || status.extraEntries != expected.extraEntries || status.bOutOfOrder != expected.bOutOfOrder)
        violated("status reads another verdict than the tree", statusText(status));
    ++nStatusRead;
}

// The edits made on the text against the tree's on the same content: the
// vendor's entries removed (uninstall), then the catalogue's appended (install).
void compareTextEditsWithTree(const QByteArray &input, QDomDocument doc)
{
    QDomElement root = doc.documentElement();
    const int nBefore = root.childNodes().count();
    removeVendorEntries(root);
    QByteArray text;
    RewriteOutcome outcome;
    if (rewriteDatabaseText(input, QByteArray(), text, &outcome)
        && (text != databaseText(doc) || (outcome.nRemoved > 0) != (root.childNodes().count() != nBefore)
            || outcome.bEmptied != holdsNothing(doc)))
        violated("uninstall's edit on the text differs from the tree's");
    addCatalogueEntries(doc);
    if (replaceVendorEntriesInText(input, text) == TextEditResult::Edited && text != databaseText(doc))
        violated("install's edit on the text writes other bytes than the tree's");
}

// After an install, uninstall leaves the input less the vendor's entries, as
// the tree saves it.
void compareInstallAndUninstall(const QString &strJLinkPath, QDomDocument doc)
{
    removeVendorEntries(doc.documentElement());
    QString strErroInfo;
    if (uninstall(strJLinkPath, strErroInfo) == UninstallResult::Failed)
        violated("uninstall refused what install saved", strErroInfo);
    if (readAll(deviceDatabasePath(strJLinkPath)) != databaseText(doc))
        violated("install and uninstall do not give back the input less the vendor's entries");
    ++nUninstalled;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    std::atexit([] {
        std::fprintf(stderr,
                     "inputs that reached each command: install %d, uninstall %d, status %d\n",
                     nInstalled, nUninstalled, nStatusRead);
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One folder for every input: the commands leave nothing in it but the database.
    static const QTemporaryDir folder;
    const QString strDatabase = deviceDatabasePath(folder.path());
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<int>(size));
    if (!writeAll(strDatabase, input))
        violated("the input could not be written");

    QDomDocument doc;
    try {
        doc = parseDeviceDatabase(input, QStringLiteral("input"));
        compareStatusWithTree(folder.path(), doc);
        compareTextEditsWithTree(input, doc.cloneNode().toDocument());
    } catch (const FileError &) {
        doc = QDomDocument();
        if (checkInstallation(folder.path()).state != InstallationStatus::State::Unreadable)
            violated("status reads what the tree refuses");
    }
    QString strReason;
    if (updateDevices(folder.path(), strReason) != 0) {
        if (readAll(strDatabase) != input)
            violated("refused, but the database changed", strReason);
        return 0;
    }
    const QByteArray saved = readAll(strDatabase);
    // The second run loads the saved file; only when it fails does the
    // load say why.
    if (updateDevices(folder.path(), strReason) != 0) {
        try {
            loadDeviceDatabase(strDatabase);
        } catch (const FileError &error) {
            violated("the saved database does not load again", QString::fromLocal8Bit(error.what()));
        }
        violated("a second run refused the saved database", strReason);
    }
    if (readAll(strDatabase) != saved)
        violated("a second run changed the saved database");
    ++nInstalled;
    if (!doc.isNull())
        compareInstallAndUninstall(folder.path(), doc);
    return 0;
}
