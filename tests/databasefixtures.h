#ifndef DATABASEFIXTURES_H
#define DATABASEFIXTURES_H

#include <QByteArray>
#include <QDomDocument>
#include <QMap>
#include <QStringList>
#include <QString>

// How the installer ends the lines it writes in text mode: the database's and
// those of the console front end.
#ifdef Q_OS_WIN
constexpr char lineEnd[] = "\r\n";
#else
constexpr char lineEnd[] = "\n";
#endif

// Text with "\n" line ends as the installer writes it on this platform.
inline QByteArray withLineEnds(QByteArray text)
{
    return text.replace('\n', lineEnd);
}

// The content of a node with attributes in name order, so that two trees can
// be compared whatever order the DOM writer chose for the attributes.
QString canonicalXml(const QDomNode &node);

// A database in J-Link's own spelling ("Database") holding nEntries entries
// of other vendors, with a declaration, a comment, a processing instruction,
// text and non-ASCII names between them.
QByteArray otherVendorsDatabase(int nEntries);

// Ten levels of entities, each used ten times by the next: a billion laughs.
QByteArray nestedEntities();

bool writeFile(const QString &strFileName, const QByteArray &content);
QByteArray readFile(const QString &strFileName);

// Parses a file as the tests read results: no checks, no entity refusal.
QDomDocument loadXml(const QString &strFileName);
// The vendor names of the entries of the folder's database, in file order.
QStringList entryVendors(const QString &strJLinkPath);
// Every file below the folder with its content, to compare installations.
QMap<QString, QByteArray> folderContents(const QString &strFolder);

// A database as the installer loads it, split into the vendor's entries and
// the canonical text of everything else.
struct VendorSplit
{
    QString strOthers;
    int nOurs = -1; // -1 when the database does not load
};
VendorSplit splitVendorEntries(const QString &strFileName);

#endif
