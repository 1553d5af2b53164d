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
