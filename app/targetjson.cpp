#include "targetjson.h"

#include <QDir>
#include <QJsonArray>

namespace {

QString stateName(InstallationStatus::State state)
{
    switch (state) {
    case InstallationStatus::State::Installed:
        return QStringLiteral("installed");
    case InstallationStatus::State::NotInstalled:
        return QStringLiteral("not installed");
    case InstallationStatus::State::Differs:
        return QStringLiteral("differs");
    case InstallationStatus::State::Unreadable:
        break;
    }
    return QStringLiteral("unreadable");
}

// Empty lists are left out, so that a reader finds only what differs.
void addNames(QJsonObject &object, const char *key, const QStringList &names)
{
    if (!names.isEmpty())
        object.insert(QLatin1String(key), QJsonArray::fromStringList(names));
}

} // namespace

QJsonObject targetJson(const Target &target, const QString &strState)
{
    QJsonObject object{
        {QStringLiteral("path"), QDir::toNativeSeparators(target.strFolder)},
        {QStringLiteral("kind"), target.kind == TargetKind::UserFolder
                                     ? QStringLiteral("per-user folder")
                                     : QStringLiteral("installation")},
        {QStringLiteral("state"), strState}};
    if (!target.strVersion.isEmpty())
        object.insert(QStringLiteral("version"), target.strVersion);
    return object;
}

QJsonObject statusJson(const Target &target, const InstallationStatus &status)
{
    QJsonObject object = targetJson(target, stateName(status.state));
    if (!status.reason.isEmpty())
        object.insert(QStringLiteral("reason"), status.reason.text());
    // A folder not installed misses everything, which says nothing more.
    if (status.state != InstallationStatus::State::Differs)
        return object;
    addNames(object, "missingDevices", status.missingDevices);
    addNames(object, "changedDevices", status.changedDevices);
    addNames(object, "staleEntries", status.extraEntries);
    if (status.bOutOfOrder)
        object.insert(QStringLiteral("outOfOrder"), true);
    addNames(object, "missingFiles", status.missingFiles);
    addNames(object, "changedFiles", status.changedFiles);
    return object;
}
