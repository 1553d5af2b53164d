#include "librarysearch.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <windows.h>

#include <vector>

namespace {

// Known before the application object is, unlike applicationDirPath().
QString programFolder()
{
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0)
            return QString();
        if (length < path.size())
            return QFileInfo(QDir::fromNativeSeparators(
                                 QString::fromWCharArray(path.data(), int(length))))
                .absolutePath();
        path.resize(path.size() * 2);
    }
}

} // namespace

void restrictLibrarySearch()
{
    // Unpacked into Downloads, the program's folder may hold a DLL named like
    // a system one: whatever is loaded by name from now on comes from
    // System32. Qt's and the runtime's DLLs are loaded already, and plugins
    // are loaded by their full path.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Plugins only from the program's own folder, whatever the environment names.
    qunsetenv("QT_PLUGIN_PATH");
    qunsetenv("QT_QPA_PLATFORM_PLUGIN_PATH");
    QCoreApplication::setLibraryPaths({programFolder()});
}
