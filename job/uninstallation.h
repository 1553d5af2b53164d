#ifndef UNINSTALLATION_H
#define UNINSTALLATION_H

#include "failurereason.h"
#include "installationlock.h"
#include "targetkind.h"

#include <QString>

enum class UninstallResult { Removed, NothingToRemove, Failed };

// Takes the installation out of a J-Link folder (or the per-user folder): the
// vendor's entries by the same rule as the job's first step, exactly the
// deployed file names, then the loader folder and the vendor folder when
// they are empty. A database that cannot be read whole is refused and left
// as it is, and then nothing else is removed. In the per-user folder, a
// database left without any content goes too, with the empty folders. On
// failure strErroInfo says what failed and pReason, when given, why.
UninstallResult uninstall(const QString &strJLinkPath, QString &strErroInfo,
                          TargetKind kind = TargetKind::Installation,
                          Reason *pReason = nullptr,
                          std::chrono::milliseconds lockWait = installationLockWait);

#endif
