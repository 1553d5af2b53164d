#ifndef JLINKFOLDERS_H
#define JLINKFOLDERS_H

#include <QString>
#include <QStringList>

// Where J-Link records its installations on this platform: the registry key
// on Windows, the folder J-Link installs itself into elsewhere.
QString defaultJLinkDiscoveryRoot();

// The installation folders found under strRoot, greatest name first, as
// J-Link's own version ordering puts the newest first.
QStringList findJLinkInstallations(const QString &strRoot);

// The folder the Browse dialog opens at.
QString browseStartFolder();

// Whether the window selects the per-user folder over strNewest, the newest
// installation found, rather than leave that installation selected.
bool prefersUserFolder(const QString &strNewest);

#endif
