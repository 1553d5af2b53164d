#ifndef HELDFOLDER_H
#define HELDFOLDER_H

#include "failurereason.h"

#include <QFile>
#include <QString>
#include <QVector>

// Whether this process runs with the highest rights: root, or on Windows
// SYSTEM or an elevated administrator. Only such a run refuses what another
// account may have planted; every other run follows links as it always did.
bool runsPrivileged();

// Whether the reason is one of a privileged run that would not follow or use
// a name, rather than a failure of the system.
bool isRefusal(const Reason &reason);

// A folder opened once, through which the installer reads, makes, renames and
// removes the names in it, so that nothing on the way to it can be swapped
// between a check and its use.
//
// When privileged, a folder is reached one step at a time, and a step from a
// folder that another account owns (not root; on Windows not SYSTEM,
// Administrators or TrustedInstaller) may reach only what that same account
// owns. A link in such a folder must lead to something its own owner owns.
// What the installer makes itself (its folders, files and temporaries) is
// never a link there. Refusals come as a Reason for the name concerned.
class HeldFolder
{
public:
    enum class Entry { Missing, File, Folder, Link, Other };

    HeldFolder() = default;
    HeldFolder(HeldFolder &&other) noexcept;
    HeldFolder &operator=(HeldFolder &&other) noexcept;
    ~HeldFolder();

    // The folder at strPath, which must exist. On failure, reason says why.
    static HeldFolder open(const QString &strPath, Reason &reason);

    bool isOpen() const { return m_handle != invalidHandle; }
    // As the caller spelt it, for messages.
    QString path() const { return m_strPath; }
    QString pathOf(const QString &strName) const { return m_strPath + QLatin1Char('/') + strName; }

    // Whether this process's account owns the folder, and who does, by name
    // for a reason's sentence.
    bool ownedByThisAccount() const;
    Reason::Argument ownerName() const;

    // What lies at the name, without following a link.
    Entry entry(const QString &strName) const;

    // A folder below this one that others may own too (J-Link's Devices),
    // reached as open() reaches one: a link is followed under the rule above.
    // Made as an own folder when missing and bCreate.
    HeldFolder folder(const QString &strName, bool bCreate, Reason &reason) const;
    // A folder the installer keeps its own files in: made when missing and
    // bCreate, refused when privileged and it is a link.
    HeldFolder ownFolder(const QString &strName, bool bCreate, Reason &reason) const;

    // An existing plain file, opened without blocking (a FIFO never ends)
    // and without creating it. A link is followed as open() follows one;
    // *pHolder then holds the folder of the file it leads to, and
    // *pFinalName its name there, so that a replacement is written beside
    // the file that was read. Missing gives false with an empty reason.
    bool openFile(const QString &strName, QIODevice::OpenMode mode, QFile &file,
                  HeldFolder *pHolder, QString *pFinalName, Reason &reason) const;
    // A file of a new name here, never through a link, with the permissions
    // of a copy out of the bundle; what a privileged run makes in another
    // account's folder is given to that account.
    bool createFile(const QString &strName, QFile &file, Reason &reason,
                    QIODevice::OpenMode mode = QIODevice::ReadWrite) const;
    // A temporary file to put in place later: named strPrefix and six
    // random letters and digits, or, where the system can make one (Linux),
    // without a name, so that a killed run leaves nothing behind; strName is
    // then empty.
    bool createTemporary(const QString &strPrefix, QFile &file, QString &strName,
                         Reason &reason, QIODevice::OpenMode mode = QIODevice::ReadWrite) const;
    // Closes the temporary and puts it in the place of strName, naming it
    // strPrefix and six random letters and digits first when it has no name.
    // On failure, strTemporary names what is left to remove, if anything.
    bool place(QFile &temporary, QString &strTemporary, const QString &strPrefix,
               const QString &strName) const;
    // Gives the file the owner, group and permissions of model.
    static void copyOwnerAndMode(QFile &file, const QFile &model);

    // Each never follows a link at the name: a link is renamed or removed itself.
    bool rename(const QString &strFrom, const QString &strTo) const;
    bool remove(const QString &strName) const;
    bool removeFolder(const QString &strName) const;

    // The files' data on disk, with as few calls as the platform allows.
    bool syncFiles(const QVector<QFile *> &files) const;
    // The folder's entries (new, renamed and removed names) on disk.
    bool sync() const;

private:
    static constexpr qintptr invalidHandle = -1;

    HeldFolder(qintptr handle, const QString &strPath);
    void close();

    qintptr m_handle = invalidHandle;
    QString m_strPath;
    // The account and group a privileged run gives what it makes here; -1 for none.
    qint64 m_nOwner = -1;
    qint64 m_nGroup = -1;
};

#endif
