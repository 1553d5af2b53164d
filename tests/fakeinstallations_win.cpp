#include "fakeinstallations.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QUuid>

namespace {
const QString testKeys = QStringLiteral("HKEY_CURRENT_USER\\Software\\QN58 tests");
}

FakeInstallations::FakeInstallations()
    : m_strRoot(testKeys + QLatin1Char('\\') + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

FakeInstallations::~FakeInstallations()
{
    QSettings(m_strRoot, QSettings::NativeFormat).remove(QString());
    QSettings parent(testKeys, QSettings::NativeFormat);
    if (parent.childGroups().isEmpty() && parent.childKeys().isEmpty())
        parent.remove(QString());
}

QString FakeInstallations::discoveryRoot() const
{
    return m_strRoot;
}

QString FakeInstallations::add(const QString &strName)
{
    const QString strFolder = folder(strName);
    QDir().mkpath(strFolder);
    QFile(strFolder + QStringLiteral("/JLink.exe")).open(QIODevice::WriteOnly);
    QSettings settings(m_strRoot, QSettings::NativeFormat);
    settings.setValue(strName + QStringLiteral("/InstallPath"), strFolder);
    return strFolder;
}

QString FakeInstallations::folder(const QString &strName) const
{
    return m_folders.path() + QLatin1Char('/') + strName;
}
