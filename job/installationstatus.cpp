#include "installationstatus.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "heldfolder.h"
#include "registration.h"
#include "vendor.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QVector>

#include <exception>

namespace {

// A line names this many and counts the rest.
const int namesShown = 5;

// What the registration step writes, from the same writers, read as a
// database's entries are read.
const QVector<ReadEntry> &expectedEntries()
{
    static const QVector<ReadEntry> entries = [] {
        QVector<ReadEntry> read;
        qint64 nLine = 0;
        qint64 nColumn = 0;
        readVendorEntries("<DataBase>\n" + catalogueEntriesText() + "</DataBase>\n", read, nLine,
                          nColumn);
        return read;
    }();
    return entries;
}

void compareEntries(const QVector<ReadEntry> &present, InstallationStatus &status)
{
    const QVector<ReadEntry> &expected = expectedEntries();
    QHash<QString, int> indexOf;
    for (int i = 0; i < expected.size(); ++i)
        indexOf.insert(expected.at(i).strDevice, i);

    QVector<bool> seen(expected.size(), false);
    int nPrevious = -1;
    for (const ReadEntry &entry : present) {
        const int nIndex = indexOf.value(entry.strDevice, -1);
        if (nIndex < 0 || seen.at(nIndex)) {
            status.extraEntries.append(entry.strDevice);
            continue;
        }
        seen[nIndex] = true;
        if (entry.strContent != expected.at(nIndex).strContent)
            status.changedDevices.append(entry.strDevice);
        if (nIndex < nPrevious)
            status.bOutOfOrder = true;
        nPrevious = nIndex;
    }
    for (int i = 0; i < expected.size(); ++i) {
        if (!seen.at(i))
            status.missingDevices.append(expected.at(i).strDevice);
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

QString translated(const char *pszText)
{
    return QCoreApplication::translate("InstallationStatus", pszText);
}

// One part of what differs, when there are names: pszWhat, marked
// QT_TRANSLATE_NOOP("InstallationStatus", ...), with the names as %1.
void addNamed(QStringList &parts, const QStringList &names, const char *pszWhat)
{
    if (names.isEmpty())
        return;
    QStringList shown = names.mid(0, namesShown);
    for (QString &strName : shown) {
        if (strName.isEmpty())
            strName = QCoreApplication::translate("InstallationStatus", "(no name)");
    }
    QString strList = shown.join(QStringLiteral(", "));
    //: %1 lists the first names, %n counts the others.
    if (names.size() > namesShown)
        strList = QCoreApplication::translate("InstallationStatus", "%1 and %n more", nullptr,
                                              names.size() - namesShown)
                      .arg(strList);
    parts << translated(pszWhat).arg(strList);
}

} // namespace

InstallationStatus checkInstallation(const QString &strJLinkPath)
{
    InstallationStatus status;
    QVector<ReadEntry> present;
    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    if (QFileInfo::exists(strDatabasePath)) {
        try {
            // A user who may only read the installation may still check it.
            present = loadVendorEntries(strDatabasePath);
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
        return QCoreApplication::translate("InstallationStatus", "installed");
    case InstallationStatus::State::NotInstalled:
        return QCoreApplication::translate("InstallationStatus", "not installed");
    case InstallationStatus::State::Unreadable:
        //: %1 is a file name.
        return QCoreApplication::translate("InstallationStatus", "\"%1\" cannot be read")
            .arg(QLatin1String("JLinkDevices.xml"));
    case InstallationStatus::State::Differs:
        break;
    }
    QStringList parts;
    //: %1 lists device names.
    addNamed(parts, status.missingDevices,
             QT_TRANSLATE_NOOP("InstallationStatus", "missing devices: %1"));
    //: %1 lists device names.
    addNamed(parts, status.changedDevices,
             QT_TRANSLATE_NOOP("InstallationStatus", "changed devices: %1"));
    //: %1 lists the device names of the vendor's entries that do not belong there.
    addNamed(parts, status.extraEntries,
             QT_TRANSLATE_NOOP("InstallationStatus", "stale entries: %1"));
    if (status.bOutOfOrder)
        parts << QCoreApplication::translate("InstallationStatus",
                                             "entries out of catalogue order");
    //: %1 lists file names.
    addNamed(parts, status.missingFiles,
             QT_TRANSLATE_NOOP("InstallationStatus", "missing files: %1"));
    //: %1 lists file names.
    addNamed(parts, status.changedFiles,
             QT_TRANSLATE_NOOP("InstallationStatus", "changed files: %1"));
    //: %1 lists what differs, such as "missing files: ...", separated by semicolons.
    return QCoreApplication::translate("InstallationStatus", "differs: %1")
        .arg(parts.join(QStringLiteral("; ")));
}
