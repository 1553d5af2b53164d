#include "filenames.h"

QString fileNameKey(const QString &strPath)
{
    return strPath.toCaseFolded();
}
