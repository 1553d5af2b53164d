#include "installationstatus.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "heldfolder.h"
#include "registration.h"
#include "vendor.h"
#include "vendorentries.h"

#include <QDomNamedNodeMap>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVector>

#include <exception>

namespace {

// A line names this many and counts the rest.
const int namesShown = 5;

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

// What the registration step writes, from the same writers.
QVector<QDomElement> expectedEntries()
{
    QDomDocument doc;
    doc.appendChild(doc.createElement(QStringLiteral("DataBase")));
    addCatalogueEntries(doc);
    return vendorEntries(doc.documentElement());
}

bool sameAttributes(const QDomNamedNodeMap &a, const QDomNamedNodeMap &b)
{
    if (a.count() != b.count())
        return false;
    for (int i = 0; i < a.count(); ++i) {
        const QDomNode other = b.namedItem(a.item(i).nodeName());
        if (other.isNull() || other.nodeValue() != a.item(i).nodeValue())
            return false;
    }
    return true;
}

bool sameNode(const QDomNode &a, const QDomNode &b)
{
    if (a.nodeType() != b.nodeType() || a.nodeName() != b.nodeName()
        || a.nodeValue() != b.nodeValue() || !sameAttributes(a.attributes(), b.attributes()))
        return false;
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

void compareEntries(const QVector<QDomElement> &present, InstallationStatus &status)
{
    const QVector<QDomElement> expected = expectedEntries();
    QHash<QString, int> indexOf;
    for (int i = 0; i < expected.size(); ++i)
        indexOf.insert(deviceName(expected.at(i)), i);

    QVector<bool> seen(expected.size(), false);
    int nPrevious = -1;
    for (const QDomElement &entry : present) {
        const QString strName = deviceName(entry);
        const int nIndex = indexOf.value(strName, -1);
        if (nIndex < 0 || seen.at(nIndex)) {
            status.extraEntries.append(strName);
            continue;
        }
        seen[nIndex] = true;
        if (!sameNode(entry, expected.at(nIndex)))
            status.changedDevices.append(strName);
        if (nIndex < nPrevious)
            status.bOutOfOrder = true;
        nPrevious = nIndex;
    }
    for (int i = 0; i < expected.size(); ++i) {
        if (!seen.at(i))
            status.missingDevices.append(deviceName(expected.at(i)));
    }
}

// The loader folder held open, reached as the job reaches it; a folder a
// privileged run refuses counts as missing, with its reason.
HeldFolder loaderFolder(const QString &strJLinkPath, Reason &reason)
{
    const HeldFolder installation = HeldFolder::open(strJLinkPath, reason);
    const HeldFolder devices = installation.isOpen()
        ? installation.folder(Vendor::devicesFolder(), false, reason)
        : HeldFolder();
    const HeldFolder vendor = devices.isOpen() ? devices.ownFolder(Vendor::name(), false, reason)
                                               : HeldFolder();
    return vendor.isOpen() ? vendor.ownFolder(Vendor::loaderFolder(), false, reason) : HeldFolder();
}

// The number of deployed files present, changed or not. Each is read
// without blocking: a FIFO of a loader's name counts as missing.
int compareFiles(const QString &strJLinkPath, InstallationStatus &status)
{
    Reason reason;
    const HeldFolder loaders = loaderFolder(strJLinkPath, reason);
    if (isRefusal(reason))
        status.reason = reason;
    int nPresent = 0;
    for (const char *name : deploymentList) {
        const QString strName = QString::fromLatin1(name);
        QFile file;
        if (!loaders.isOpen()
            || !loaders.openFile(strName, QIODevice::ReadOnly, file, nullptr, nullptr, reason)) {
            status.missingFiles.append(strName);
            continue;
        }
        ++nPresent;
        QFile payload(QStringLiteral(":/FLMFile/") + strName);
        if (!payload.open(QIODevice::ReadOnly) || file.readAll() != payload.readAll())
            status.changedFiles.append(strName);
    }
    return nPresent;
}

QString namedList(const QStringList &names, const QString &strWhat)
{
    QStringList shown = names.mid(0, namesShown);
    for (QString &strName : shown) {
        if (strName.isEmpty())
            strName = QStringLiteral("(no name)");
    }
    QString strList = shown.join(QStringLiteral(", "));
    if (names.size() > namesShown)
        strList += QStringLiteral(" and %1 more").arg(names.size() - namesShown);
    return strWhat + QStringLiteral(": ") + strList;
}

} // namespace

InstallationStatus checkInstallation(const QString &strJLinkPath)
{
    InstallationStatus status;
    QVector<QDomElement> present;
    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    if (QFileInfo::exists(strDatabasePath)) {
        try {
            // A user who may only read the installation may still check it.
            present = vendorEntries(
                loadDeviceDatabase(strDatabasePath, DatabaseAccess::ReadOnly).documentElement());
        } catch (const FileError &error) {
            status.state = InstallationStatus::State::Unreadable;
            status.reason = error.reason();
            return status;
        } catch (const std::exception &) {
            status.state = InstallationStatus::State::Unreadable;
            return status;
        }
    }
    compareEntries(present, status);
    const int nFiles = compareFiles(strJLinkPath, status);

    if (present.isEmpty() && nFiles == 0)
        status.state = InstallationStatus::State::NotInstalled;
    else if (status.missingDevices.isEmpty() && status.changedDevices.isEmpty()
             && status.extraEntries.isEmpty() && !status.bOutOfOrder
             && status.missingFiles.isEmpty() && status.changedFiles.isEmpty())
        status.state = InstallationStatus::State::Installed;
    else
        status.state = InstallationStatus::State::Differs;
    return status;
}

QString statusText(const InstallationStatus &status)
{
    switch (status.state) {
    case InstallationStatus::State::Installed:
        return QStringLiteral("installed");
    case InstallationStatus::State::NotInstalled:
        return QStringLiteral("not installed");
    case InstallationStatus::State::Unreadable:
        return QStringLiteral("\"JLinkDevices.xml\" cannot be read");
    case InstallationStatus::State::Differs:
        break;
    }
    QStringList parts;
    if (!status.missingDevices.isEmpty())
        parts << namedList(status.missingDevices, QStringLiteral("missing devices"));
    if (!status.changedDevices.isEmpty())
        parts << namedList(status.changedDevices, QStringLiteral("changed devices"));
    if (!status.extraEntries.isEmpty())
        parts << namedList(status.extraEntries, QStringLiteral("stale entries"));
    if (status.bOutOfOrder)
        parts << QStringLiteral("entries out of catalogue order");
    if (!status.missingFiles.isEmpty())
        parts << namedList(status.missingFiles, QStringLiteral("missing files"));
    if (!status.changedFiles.isEmpty())
        parts << namedList(status.changedFiles, QStringLiteral("changed files"));
    return QStringLiteral("differs: ") + parts.join(QStringLiteral("; "));
}
