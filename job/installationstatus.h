#ifndef INSTALLATIONSTATUS_H
#define INSTALLATIONSTATUS_H

#include "failurereason.h"

#include <QString>
#include <QStringList>

// How a J-Link folder (or the per-user folder) compares with exactly what the
// installation job writes: the catalogue's entries, each once, in catalogue
// order and with the writers' attributes, and the deployed files with the
// bundle's bytes. Attribute order is not judged; a file of the user's own in
// the loader folder is not ours to judge either.
struct InstallationStatus
{
    enum class State { Installed, NotInstalled, Differs, Unreadable };

    State state = State::NotInstalled;
    QStringList missingDevices;
    QStringList changedDevices;
    QStringList extraEntries; // the vendor's entries the catalogue does not hold, or holds once
    bool bOutOfOrder = false;
    QStringList missingFiles;
    QStringList changedFiles;
    Reason reason; // why an unreadable database cannot be read
};

InstallationStatus checkInstallation(const QString &strJLinkPath);

// One line: "installed", "not installed", what differs, or why it cannot tell.
QString statusText(const InstallationStatus &status);

#endif
