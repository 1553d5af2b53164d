#ifndef FILENAMES_H
#define FILENAMES_H

#include <QString>

// A path as this platform's file names compare: as it is, or case folded on
// Windows, whose file names ignore case.
QString fileNameKey(const QString &strPath);

#endif
