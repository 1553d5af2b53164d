#include "jlinkfolders.h"

#include "devicedatabase.h"
#include "filenames.h"
#include "jlinkversion.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

#include <algorithm>

QStringList JLinkSearch::places() const
{
    QStringList unique;
    QSet<QString> seen;
    for (const QString &strPlace : QStringList{strOwnPlace} + otherPlaces) {
        const QString strKey = fileNameKey(QDir::toNativeSeparators(strPlace));
        if (!seen.contains(strKey))
            unique << QDir::toNativeSeparators(strPlace);
        seen.insert(strKey);
    }
    return unique;
}

QStringList discoverJLinkInstallations(const JLinkSearch &search)
{
    // The own place's list stays as the window always showed it, repeats included.
    const QStringList own = findJLinkInstallations(search.strOwnPlace);
    QSet<QString> seen;
    for (const QString &strFolder : own)
        seen.insert(sameFolderKey(strFolder));

    QStringList others;
    for (const QString &strPlace : search.otherPlaces) {
        for (const QString &strFolder : findOtherJLinkInstallations(strPlace)) {
            const QString strKey = sameFolderKey(strFolder);
            if (!seen.contains(strKey))
                others << strFolder;
            seen.insert(strKey);
        }
    }
    std::stable_sort(others.begin(), others.end(), [](const QString &strA, const QString &strB) {
        return QFileInfo(strA).fileName().compare(QFileInfo(strB).fileName(), Qt::CaseInsensitive)
            > 0;
    });
    return own + others;
}

QStringList jlinkFoldersBelow(const QString &strFolder)
{
    const QStringList names = QDir(strFolder).entryList({QStringLiteral("JLink*")},
                                                        QDir::Dirs | QDir::NoDotAndDotDot,
                                                        QDir::Name | QDir::IgnoreCase);
    const QString strPrefix = fileNameKey(QStringLiteral("JLink"));
    QStringList folders;
    for (auto it = names.crbegin(); it != names.crend(); ++it) {
        const QString strPath = strFolder + QLatin1Char('/') + *it;
        // The filter ignores case, as this platform's names may not; only a
        // folder that holds J-Link's command-line tool is an installation.
        if (!fileNameKey(*it).startsWith(strPrefix)
            || !QFileInfo::exists(strPath + QLatin1Char('/') + QLatin1String(jlinkToolName)))
            continue;
        folders.append(strPath);
    }
    return folders;
}

// The window runs with the user's rights: an installation the user may not
// write would fail, while the per-user folder serves its J-Link as well.
bool prefersUserFolder(const QString &strNewest)
{
    if (!readsUserDeviceFolder(jlinkVersion(strNewest)))
        return false;
    const QFileInfo database(deviceDatabasePath(strNewest));
    return !mayCreateFilesIn(strNewest) || (database.exists() && !database.isWritable());
}
