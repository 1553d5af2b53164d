#ifndef JOBMESSAGES_H
#define JOBMESSAGES_H

#include <QString>

// The fixed first texts of the job's failures; scripts compare them, so they
// stay in English and the reason for a failure is always given apart from them.
namespace JobMessages {
inline QString databaseAccessFailed()
{
    return QStringLiteral("\"JLinkDevices.xml\" access failed");
}
inline QString databaseMissing()
{
    return QStringLiteral("\"JLinkDevices.xml\" does not exist");
}
// The reason when the folder's lock is held: this installer's own words, for a Reason.
inline const char *lockedByAnotherJob()
{
    return QT_TRANSLATE_NOOP("Reason", "another installation into this folder is still running");
}
} // namespace JobMessages

#endif
