#ifndef DATABASEUPDATE_H
#define DATABASEUPDATE_H

#include "failurereason.h"

#include <QString>

// The job's database steps in one pass, as JLinkAddQN58MCU::updateDevices,
// with the reason's file and place for the console front end.
int updateDeviceDatabase(const QString &strJLinkPath, QString &strErroInfo, Reason *pReason);

#endif
