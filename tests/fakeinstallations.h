#ifndef FAKEINSTALLATIONS_H
#define FAKEINSTALLATIONS_H

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

    // What the window is given to look in.
    QString discoveryRoot() const;
    // Records an installation named strName and returns its folder.
    QString add(const QString &strName);
    QString folder(const QString &strName) const;

private:
    QTemporaryDir m_folders;
    QString m_strRoot;
};

#endif
