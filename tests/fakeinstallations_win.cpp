#include "fakeinstallations.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QUuid>

namespace {

const QString testKeys = QStringLiteral("QN58 tests");
const QString userSoftware = QStringLiteral("HKEY_CURRENT_USER\\Software");
const QString machineSoftware = QStringLiteral("HKEY_LOCAL_MACHINE\\SOFTWARE");

QString testKey(const QString &strSoftware, const QString &strName)
{
    return strSoftware + QLatin1Char('\\') + testKeys + QLatin1Char('\\') + strName;
}

// Removes the test's key, and the keys of the tests when no other test holds one.
void removeTestKey(const QString &strSoftware, const QString &strName, QSettings::Format format)
{
    QSettings tests(strSoftware + QLatin1Char('\\') + testKeys, format);
    tests.remove(strName);
    if (tests.childGroups().isEmpty() && tests.childKeys().isEmpty())
        QSettings(strSoftware, format).remove(testKeys);
}

} // namespace

FakeInstallations::FakeInstallations()
    : m_strRoot(testKey(userSoftware, QUuid::createUuid().toString(QUuid::WithoutBraces)))
{
}

FakeInstallations::~FakeInstallations()
{
    const QString strName = m_strRoot.section(QLatin1Char('\\'), -1);
    removeTestKey(userSoftware, strName, QSettings::NativeFormat);
    removeTestKey(machineSoftware, strName, QSettings::Registry64Format);
    removeTestKey(machineSoftware, strName, QSettings::Registry32Format);
}

QString FakeInstallations::discoveryRoot() const
{
    return m_strRoot;
}

JLinkSearch FakeInstallations::search() const
{
    return JLinkSearch(m_strRoot, {testKey(machineSoftware, m_strRoot.section(QLatin1Char('\\'), -1)),
                                   folder(QStringLiteral("SEGGER"))});
}

QString FakeInstallations::add(const QString &strName)
{
    return record(QStringLiteral("own:") + strName);
}

QString FakeInstallations::folder(const QString &strName) const
{
    return m_folders.path() + QLatin1Char('/') + strName;
}

QString FakeInstallations::record(const QString &strRecord)
{
    const QString strWhere = strRecord.section(QLatin1Char(':'), 0, 0);
    const QString strFolder = folder(strRecord.section(QLatin1Char(':'), 1));
    QDir().mkpath(strFolder);
    QFile(strFolder + QStringLiteral("/JLink.exe")).open(QIODevice::WriteOnly);
    if (strWhere == QLatin1String("folder"))
        return strFolder;

    const bool bOwn = strWhere == QLatin1String("own");
    const bool bKey = strWhere.startsWith(QLatin1String("key"));
    if (!bOwn && !bKey && !strWhere.startsWith(QLatin1String("group")))
        return QString();
    const QSettings::Format format = bOwn ? QSettings::NativeFormat
        : strWhere.endsWith(QLatin1String("32")) ? QSettings::Registry32Format
                                                 : QSettings::Registry64Format;
    QSettings settings(bOwn ? m_strRoot : search().otherPlaces.first(), format);
    const QString strGroup = QFileInfo(QDir::cleanPath(strFolder)).fileName();
    settings.setValue(bKey ? QStringLiteral("InstallPath") : strGroup + QStringLiteral("/InstallPath"),
                      strFolder);
    return strFolder;
}
