#ifndef TARGETS_H
#define TARGETS_H

#include "jlinkfolders.h"
#include "targetkind.h"

#include <QList>
#include <QString>
#include <QStringList>

// A folder the installer can install into. A folder named must prove itself
// a J-Link installation; one found was recorded as such, and the per-user
// folder is made when missing.
struct Target
{
    QString strFolder;
    QString strVersion; // of an installation found, when its name tells it
    TargetKind kind = TargetKind::Installation;
    bool bFound = false; // by discovery, not named
};

// The installations found as the window finds them, in its order, each
// folder once: /opt/SEGGER/JLink links to one of the others.
QList<Target> foundInstallations(const JLinkSearch &search);
Target userFolderTarget(const QString &strUserFolder);
// The per-user folder, when strFolder names it, is taken as such.
Target namedTarget(const QString &strFolder, const QString &strUserFolder);
// Each folder once, in its first spelling.
QList<Target> withoutRepeats(const QList<Target> &targets);

// Whether strFolder holds J-Link's command-line tool or its library, as
// every J-Link installation does on one of the platforms.
bool holdsJLink(const QString &strFolder);
// Those files as a refusal names them, marked for the console's translation.
extern const char jlinkFilesText[];

// The per-user folder is worth proposing once it exists or an installation
// found would read it.
bool proposesUserFolder(const QStringList &installations, const QString &strUserFolder);

#endif
