#ifndef JOBMESSAGES_H
#define JOBMESSAGES_H

#include <QString>

// The fixed first texts of the job's failures; scripts compare them, so the
// reason for a failure is always given apart from them.
namespace JobMessages {
inline QString databaseAccessFailed()
{
    return QStringLiteral("\"JLinkDevices.xml\" access failed");
}
inline QString databaseMissing()
{
    return QStringLiteral("\"JLinkDevices.xml\" does not exist");
}
inline QString lockedByAnotherJob()
{
    return QStringLiteral("another installation into this folder is still running");
}
} // namespace JobMessages

#endif
