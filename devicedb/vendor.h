#ifndef VENDOR_H
#define VENDOR_H

#include <QString>

// The vendor's name as its entries carry it in J-Link's device database, and
// the folders below a J-Link installation that hold its files. Functions, not
// globals, so that other files' static tables can use them safely.
namespace Vendor {
inline QString name() { return QStringLiteral("Kestrilon"); }
inline QString devicesFolder() { return QStringLiteral("Devices"); }
inline QString loaderFolder() { return QStringLiteral("QN58FLM"); }
// Where earlier releases kept their loaders, beside the loader folder.
inline QString obsoleteLoaderFolder() { return QStringLiteral("QN58Kxxx"); }

// The vendor's folder and its loader folder below a J-Link installation.
inline QString vendorFolderPath(const QString &strJLinkPath)
{
    return strJLinkPath + QLatin1Char('/') + devicesFolder() + QLatin1Char('/') + name();
}
inline QString loaderFolderPath(const QString &strJLinkPath)
{
    return vendorFolderPath(strJLinkPath) + QLatin1Char('/') + loaderFolder();
}

// The loader folder as the entries name it, relative to the installation.
inline QString entryLoaderFolder()
{
    return devicesFolder() + QLatin1Char('/') + name() + QLatin1Char('/') + loaderFolder()
        + QLatin1Char('/');
}
}

#endif
