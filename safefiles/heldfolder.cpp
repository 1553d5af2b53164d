#include "heldfolder.h"

bool isRefusal(const Reason &reason)
{
    return reason.text().startsWith(QLatin1String("refused: "))
        || reason.text().startsWith(QLatin1String("not followed: "));
}

HeldFolder HeldFolder::folder(const QString &strName, bool bCreate, Reason &reason) const
{
    // A link is resolved from the start, one step at a time; all else is this folder's.
    if (entry(strName) == Entry::Link)
        return open(pathOf(strName), reason);
    return ownFolder(strName, bCreate, reason);
}
