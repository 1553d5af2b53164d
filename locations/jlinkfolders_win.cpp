#include "jlinkfolders.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include <windows.h>

namespace {

const QString installPath = QStringLiteral("InstallPath");

// QSettings makes the key it opens wherever the user may write, so a search
// asks first and leaves the registry as it found it.
bool keyExists(const QString &strKey, QSettings::Format format)
{
    static const struct
    {
        const char *name;
        HKEY handle;
    } roots[] = {{"HKEY_CURRENT_USER", HKEY_CURRENT_USER}, {"HKCU", HKEY_CURRENT_USER},
                 {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE}, {"HKLM", HKEY_LOCAL_MACHINE},
                 {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT}, {"HKCR", HKEY_CLASSES_ROOT},
                 {"HKEY_USERS", HKEY_USERS}, {"HKU", HKEY_USERS}};
    const REGSAM view = format == QSettings::Registry32Format ? KEY_WOW64_32KEY
        : format == QSettings::Registry64Format              ? KEY_WOW64_64KEY
                                                             : 0;
    const QString strPath = strKey.section(QLatin1Char('\\'), 1);
    for (const auto &root : roots) {
        if (strKey.section(QLatin1Char('\\'), 0, 0) != QLatin1String(root.name))
            continue;
        HKEY handle = nullptr;
        if (RegOpenKeyExW(root.handle, reinterpret_cast<const wchar_t *>(strPath.utf16()), 0,
                          KEY_READ | view, &handle)
            != ERROR_SUCCESS)
            return false;
        RegCloseKey(handle);
        return true;
    }
    return false;
}

// The "InstallPath" of each group, greatest name first.
QStringList groupInstallPaths(QSettings &settings)
{
    QStringList groups = settings.childGroups();
    groups.sort(Qt::CaseInsensitive);
    QStringList folders;
    for (auto it = groups.crbegin(); it != groups.crend(); ++it) {
        settings.beginGroup(*it);
        const QString strPath = settings.value(installPath, QString()).toString();
        if (!strPath.isEmpty())
            folders.append(strPath);
        settings.endGroup();
    }
    return folders;
}

// J-Link's own key names its latest installation, its groups every version.
QStringList recordedIn(const QString &strKey, QSettings::Format format)
{
    if (!keyExists(strKey, format))
        return QStringList();
    QSettings settings(strKey, format);
    QStringList folders{settings.value(installPath, QString()).toString()};
    folders += groupInstallPaths(settings);
    folders.removeAll(QString());
    return folders;
}

} // namespace

const char jlinkToolName[] = "JLink.exe";

// J-Link records an installation for the account that installed it; another
// account, and SYSTEM, find it below Program Files or in the machine's keys.
JLinkSearch defaultJLinkSearch()
{
    QStringList others{QStringLiteral("HKEY_CURRENT_USER\\Software\\SEGGER\\J-Link"),
                       QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE\\SEGGER\\J-Link")};
    for (const char *variable : {"ProgramFiles", "ProgramFiles(x86)"}) {
        const QString strFolder = qEnvironmentVariable(variable);
        if (QDir::isAbsolutePath(strFolder))
            others << QDir::toNativeSeparators(strFolder + QStringLiteral("/SEGGER"));
    }
    return JLinkSearch(QStringLiteral("HKEY_CURRENT_USER\\software\\segger\\J-Link"), others);
}

QStringList findJLinkInstallations(const QString &strPlace)
{
    if (!keyExists(strPlace, QSettings::NativeFormat))
        return QStringList();
    QSettings settings(strPlace, QSettings::NativeFormat);
    return groupInstallPaths(settings);
}

// 32-bit installers write the machine's keys into the 32-bit view.
QStringList findOtherJLinkInstallations(const QString &strPlace)
{
    if (!strPlace.startsWith(QLatin1String("HKEY_"), Qt::CaseInsensitive))
        return jlinkFoldersBelow(strPlace);
    return recordedIn(strPlace, QSettings::Registry64Format)
        + recordedIn(strPlace, QSettings::Registry32Format);
}

bool placeExists(const QString &strPlace)
{
    return keyExists(strPlace, QSettings::NativeFormat) || QFileInfo(strPlace).isDir();
}

QString browseStartFolder()
{
    return QStringLiteral("C:/Program Files");
}

// Windows ignores a folder's read-only attribute, and a standard user may not
// write below Program Files whatever the attributes say: only making a file
// there tells.
bool mayCreateFilesIn(const QString &strFolder)
{
    QTemporaryFile probe(strFolder + QStringLiteral("/qn58-jlink-setup-XXXXXX"));
    return probe.open();
}
