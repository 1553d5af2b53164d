#ifndef FILENAMES_H
#define FILENAMES_H

#include <QString>

// A path as this platform's file names compare: as it is, or case folded on
// Windows, whose file names ignore case.
QString fileNameKey(const QString &strPath);

// One key for every spelling of a folder: trailing separators, "." and ".."
// segments, links and, on Windows, case.
QString sameFolderKey(const QString &strFolder);

#endif
