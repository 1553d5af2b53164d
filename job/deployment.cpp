#include "jlinkaddqn58mcu.h"

#include "deploymentlist.h"
#include "devicedatabase.h"
#include "setuplog.h"
#include "vendor.h"

#include <QFile>
#include <QFileInfo>

#include <memory>
#include <vector>

namespace {

// The toolkit's own copies are named so, as earlier releases left them.
const QString temporaryPrefix = QStringLiteral("qt_temp.");

// A payload file written beside its place under a temporary name, until it
// is renamed into place.
struct PendingCopy
{
    QString strName;
    QString strTemporary;
    std::unique_ptr<QFile> file = std::make_unique<QFile>();
};

// Why a payload file could not be put in place, for the user.
Reason copyReason(const QString &strTarget, const QString &strName)
{
    const QFileInfo target(strTarget);
    const QFileInfo folder(target.absolutePath());
    const bool bForbidden = !folder.isWritable() || (target.exists() && !target.isWritable());
    if (bForbidden) {
        //: %1 is a file name.
        return Reason(QT_TRANSLATE_NOOP("Reason", "\"%1\" could not be written: permission denied"),
                      strTarget, {strName})
            .withConsoleWords(QT_TRANSLATE_NOOP("Reason", "permission denied"));
    }
    //: %1 is a file name.
    return Reason(QT_TRANSLATE_NOOP("Reason", "\"%1\" could not be written"), strTarget, {strName})
        .withConsoleWords(QT_TRANSLATE_NOOP("Reason", "could not be written"));
}

[[noreturn]] void failCopy(const HeldFolder &folder, const QString &strName,
                           const Reason &refusal = Reason())
{
    const QString strMessage = QStringLiteral("Failed to copy file: ") + strName;
    qCDebug(lcSetup).noquote() << strMessage;
    throw FileError(strMessage, refusal.isEmpty() ? copyReason(folder.pathOf(strName), strName)
                                                  : refusal);
}

void writeCopy(const HeldFolder &folder, PendingCopy &copy)
{
    QFile source(QStringLiteral(":/FLMFile/") + copy.strName);
    Reason reason;
    const bool bWritten = source.open(QIODevice::ReadOnly)
        && folder.createTemporary(temporaryPrefix, *copy.file, copy.strTemporary, reason)
        && copy.file->write(source.readAll()) == source.size() && copy.file->flush();
    if (!bWritten)
        failCopy(folder, copy.strName, isRefusal(reason) ? reason : Reason());
}

// Replaces whatever file had the name; a privileged run refuses a link there.
void placeCopy(const HeldFolder &folder, PendingCopy &copy)
{
    if (runsPrivileged() && folder.entry(copy.strName) == HeldFolder::Entry::Link)
        failCopy(folder, copy.strName,
                 Reason(QT_TRANSLATE_NOOP("Reason", "refused: a link where the installer "
                                                    "writes its own file"),
                        folder.pathOf(copy.strName)));
    if (!folder.place(*copy.file, copy.strTemporary, temporaryPrefix, copy.strName))
        failCopy(folder, copy.strName);
    copy.strTemporary.clear(); // it is the loader now
}

// Written all, then on disk all at once, then named all, then the names on
// disk: a success reported is one that a power loss cannot take back, at
// the cost of few syncs.
void deployCopies(const HeldFolder &folder, std::vector<PendingCopy> &copies)
{
    for (const char *name : deploymentList) {
        copies.emplace_back();
        copies.back().strName = QString::fromLatin1(name);
        writeCopy(folder, copies.back());
    }
    QVector<QFile *> files;
    for (const PendingCopy &copy : copies)
        files.append(copy.file.get());
    if (!folder.syncFiles(files))
        failCopy(folder, copies.front().strName);
    for (PendingCopy &copy : copies)
        placeCopy(folder, copy);
    folder.sync();
}

} // namespace

bool JLinkAddQN58MCU::deployFiles(QString strFLMPath, Reason *pReason)
{
    Reason reason;
    const HeldFolder folder = HeldFolder::open(strFLMPath, reason);
    if (!folder.isOpen() && !isRefusal(reason))
        reason = loaderFolderMissing(strFLMPath);
    return deployFiles(folder, reason, pReason);
}

bool JLinkAddQN58MCU::deployFiles(const HeldFolder &folder, const Reason &folderReason,
                                  Reason *pReason)
{
    if (!folder.isOpen()) {
        qCDebug(lcSetup).noquote() << QStringLiteral("Failed to copy file: ")
                + QString::fromLatin1(deploymentList[0]);
        if (pReason)
            *pReason = folderReason;
        return false;
    }
    // Nothing is rolled back: the copies named before a failure stay.
    std::vector<PendingCopy> copies;
    copies.reserve(std::size(deploymentList));
    bool bDone = false;
    try {
        deployCopies(folder, copies);
        bDone = true;
    } catch (const FileError &error) {
        if (pReason)
            *pReason = error.reason();
    } catch (const std::exception &) {
    }
    for (PendingCopy &copy : copies) {
        copy.file->close();
        if (!copy.strTemporary.isEmpty())
            folder.remove(copy.strTemporary);
    }
    return bDone;
}

Reason JLinkAddQN58MCU::loaderFolderMissing(const QString &strFLMPath)
{
    //: %1 is a folder's name.
    return Reason(QT_TRANSLATE_NOOP("Reason", "the folder \"%1\" could not be made"), strFLMPath,
                  {Vendor::entryLoaderFolder().chopped(1)})
        .withConsoleWords(QT_TRANSLATE_NOOP("Reason", "could not be made"));
}

void JLinkAddQN58MCU::copyFlmFile(QString strFLMPath, QString strName)
{
    Reason reason;
    const HeldFolder folder = HeldFolder::open(strFLMPath, reason);
    if (!folder.isOpen())
        failCopy(folder, strName, isRefusal(reason) ? reason : loaderFolderMissing(strFLMPath));
    PendingCopy copy;
    copy.strName = strName;
    try {
        writeCopy(folder, copy);
        if (!folder.syncFiles({copy.file.get()}))
            failCopy(folder, strName);
        placeCopy(folder, copy);
    } catch (...) {
        copy.file->close();
        if (!copy.strTemporary.isEmpty())
            folder.remove(copy.strTemporary);
        throw;
    }
    folder.sync();
}
