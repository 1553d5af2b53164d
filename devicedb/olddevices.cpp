#include "jlinkaddqn58mcu.h"

#include "devicedatabase.h"
#include "vendor.h"

#include <QDir>
#include <QFileInfo>

#include <exception>

namespace {

// Only the vendor's own entries go: an exact "Vendor" on a ChipInfo child.
bool isEarlierRegistration(const QDomNode &node)
{
    if (!node.isElement() || node.nodeName() != QLatin1String("Device"))
        return false;
    const QDomNodeList children = node.childNodes();
    for (int i = 0; i < children.count(); ++i) {
        const QDomElement child = children.at(i).toElement();
        if (!child.isNull() && child.tagName() == QLatin1String("ChipInfo")
            && child.attribute(QStringLiteral("Vendor")) == Vendor::name())
            return true;
    }
    return false;
}

void removeEarlierRegistrations(QDomElement root)
{
    QDomNode node = root.firstChild();
    while (!node.isNull()) {
        const QDomNode next = node.nextSibling();
        if (isEarlierRegistration(node))
            root.removeChild(node);
        node = next;
    }
}

} // namespace

bool JLinkAddQN58MCU::removeOldDevices(QString strJLinkPath, QString &strErroInfo)
{
    const QString strVendorPath =
        strJLinkPath + QLatin1Char('/') + Vendor::devicesFolder() + QLatin1Char('/') + Vendor::name();
    strErroInfo.clear();

    try {
        // Only an empty folder goes; the job creates it again.
        QDir dir(QString{});
        if (dir.exists(strVendorPath))
            dir.rmdir(strVendorPath);
    } catch (const std::exception &) {
        strErroInfo = QStringLiteral("Directory access failed");
        return false;
    }

    const QString strDatabasePath = deviceDatabasePath(strJLinkPath);
    try {
        if (!QFileInfo::exists(strDatabasePath))
            return createDeviceDatabase(strDatabasePath);
        QDomDocument doc = loadDeviceDatabase(strDatabasePath);
        removeEarlierRegistrations(doc.documentElement());
        // A save that did not happen (a full disk, say) is no success.
        if (saveDeviceDatabase(doc, strDatabasePath))
            return true;
    } catch (const std::exception &) {
    }
    strErroInfo = QStringLiteral("\"JLinkDevices.xml\" access failed");
    return false;
}
