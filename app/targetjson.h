#ifndef TARGETJSON_H
#define TARGETJSON_H

#include "installationstatus.h"
#include "targets.h"

#include <QJsonObject>

// A target as fleet tools read it: its native path, its kind, the J-Link
// version when known (the key is left out otherwise) and strState.
QJsonObject targetJson(const Target &target, const QString &strState);
// The same with the state of a check: for "differs" every name that differs,
// for "unreadable" the reason when known.
QJsonObject statusJson(const Target &target, const InstallationStatus &status);

#endif
