#include "jlinkversion.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

// The first release that reads the per-user folder, as major * 100 + minor.
const int firstUserFolderRelease = 762;

// "V794b", "v7.94b", alone or after an underscore: major, minor, letter.
const QRegularExpression &versionPattern()
{
    static const QRegularExpression pattern(QStringLiteral("(?:^|_)V(\\d)\\.?(\\d\\d)([a-z]?)$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern;
}

} // namespace

QString jlinkVersion(const QString &strFolder)
{
    const QFileInfo info(strFolder);
    const QString strCanonical = info.canonicalFilePath();
    const QString strName = QFileInfo(strCanonical.isEmpty() ? strFolder : strCanonical).fileName();
    const QRegularExpressionMatch match = versionPattern().match(strName);
    if (!match.hasMatch())
        return QString();
    return QStringLiteral("V%1.%2%3")
        .arg(match.captured(1), match.captured(2), match.captured(3).toLower());
}

bool readsUserDeviceFolder(const QString &strVersion)
{
    const QRegularExpressionMatch match = versionPattern().match(strVersion);
    return match.hasMatch()
        && match.captured(1).toInt() * 100 + match.captured(2).toInt() >= firstUserFolderRelease;
}
