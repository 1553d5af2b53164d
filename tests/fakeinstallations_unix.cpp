#include "fakeinstallations.h"

#include <QDir>
#include <QFile>

FakeInstallations::FakeInstallations()
    : m_strRoot(m_folders.path())
{
}

FakeInstallations::~FakeInstallations() = default;

QString FakeInstallations::discoveryRoot() const
{
    return m_strRoot;
}

JLinkSearch FakeInstallations::search() const
{
    return JLinkSearch(m_strRoot, {folder(QStringLiteral("SEGGER"))});
}

QString FakeInstallations::add(const QString &strName)
{
    const QString strFolder = folder(strName);
    QDir().mkpath(strFolder);
    QFile(strFolder + QStringLiteral("/JLinkExe")).open(QIODevice::WriteOnly);
    return strFolder;
}

QString FakeInstallations::folder(const QString &strName) const
{
    return m_folders.path() + QLatin1Char('/') + strName;
}

// Folders are all there is to record here.
QString FakeInstallations::record(const QString &strRecord)
{
    const QString strWhere = strRecord.section(QLatin1Char(':'), 0, 0);
    if (strWhere != QLatin1String("own") && strWhere != QLatin1String("folder"))
        return QString();
    return add(strRecord.section(QLatin1Char(':'), 1));
}
