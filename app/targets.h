#ifndef TARGETS_H
#define TARGETS_H

#include <QList>
#include <QString>
#include <QStringList>

// A folder the installer can install into: a J-Link installation, or the
// per-user folder that recent J-Link versions read besides their own.
struct Target
{
    QString strFolder;
    QString strVersion; // of an installation, when its name tells it
    bool bUserFolder = false;
};

// The installations found as the window finds them, newest first, each
// folder once: /opt/SEGGER/JLink links to one of the others.
QList<Target> foundInstallations(const QString &strDiscoveryRoot);
Target userFolderTarget(const QString &strUserFolder);

// The per-user folder is worth proposing once it exists or an installation
// found would read it.
bool proposesUserFolder(const QStringList &installations, const QString &strUserFolder);

#endif
