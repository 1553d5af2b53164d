#ifndef OLDDEVICES_H
#define OLDDEVICES_H

#include "failurereason.h"

#include <QString>

// What the removal step does before it reads the database, and what it tells
// when the database could not be made; the job's single pass does the same.
void removeEmptyVendorFolder(const QString &strJLinkPath);
Reason creationReason(const QString &strJLinkPath);

#endif
