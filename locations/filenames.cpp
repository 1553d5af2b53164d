#include "filenames.h"

#include <QDir>
#include <QFileInfo>

// A missing folder has no canonical path and keeps its cleaned one.
QString sameFolderKey(const QString &strFolder)
{
    const QFileInfo info(strFolder);
    const QString strCanonical = info.canonicalFilePath();
    return fileNameKey(strCanonical.isEmpty() ? QDir::cleanPath(info.absoluteFilePath())
                                              : strCanonical);
}
