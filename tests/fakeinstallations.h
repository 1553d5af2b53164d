#ifndef FAKEINSTALLATIONS_H
#define FAKEINSTALLATIONS_H

#include "jlinkfolders.h"

#include <QString>
#include <QTemporaryDir>

// J-Link installations recorded where the window looks for them on this
// platform: folders holding JLinkExe below a search folder, or groups with an
// "InstallPath" below a registry key of the test's own, removed at the end,
// naming folders that hold JLink.exe.
class FakeInstallations
{
public:
    FakeInstallations();
    ~FakeInstallations();

    // What the window is given to look in: the user's own records alone.
    QString discoveryRoot() const;
    // Those and the places of the machine's and other accounts' records.
    JLinkSearch search() const;
    // Records an installation named strName and returns its folder.
    QString add(const QString &strName);
    QString folder(const QString &strName) const;
    // Records the installation strRecord names, "<where>:<folder below the
    // fakes>", and returns the folder as recorded. "own" records it as add()
    // does; "folder" only makes it, for the search to find in its parent
    // folder: "SEGGER" stands for the one below Program Files. On Windows
    // "key" and "group" record it in J-Link's key itself or a group below,
    // among the machine's keys, "key32" and "group32" in their 32-bit view.
    QString record(const QString &strRecord);

private:
    QTemporaryDir m_folders;
    QString m_strRoot;
};

#endif
