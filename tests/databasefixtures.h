#ifndef DATABASEFIXTURES_H
#define DATABASEFIXTURES_H

#include "devicedatabase.h"
#include "support.h"

#include <QByteArray>
#include <QDomDocument>
#include <QStringList>
#include <QString>

// The bundle's database template, as a missing database is made from it.
extern const QByteArray templateDatabase;

// The content of a node with attributes in name order, so that two trees can
// be compared whatever order the DOM writer chose for the attributes.
QString canonicalXml(const QDomNode &node);

// A database in J-Link's own spelling ("Database") holding nEntries entries
// of other vendors, with a declaration, a comment, a processing instruction,
// text and non-ASCII names between them.
QByteArray otherVendorsDatabase(int nEntries);

// Ten levels of entities, each used ten times by the next: a billion laughs.
QByteArray nestedEntities();
// A database of another vendor's entry with text in an attribute and in an
// element, each line ended by eol.
QByteArray entryWith(const QByteArray &text, const QByteArray &eol = "\n");
// UTF-8 text in another codec, with a byte-order mark.
QByteArray encoded(const char *codec, const QByteArray &utf8);

// Parses a file as the tests read results: no checks, no entity refusal.
QDomDocument loadXml(const QString &strFileName);
// The vendor names of the entries of the folder's database, in file order.
QStringList entryVendors(const QString &strJLinkPath);
// How many of those are the vendor's own.
int ourEntryCount(const QString &strJLinkPath);
// The catalogue registered into a new database, parsed on its own.
QDomDocument registeredCatalogue();

// A database as the installer loads it, split into the vendor's entries and
// the canonical text of everything else.
struct VendorSplit
{
    QString strOthers;
    int nOurs = -1; // -1 when the database does not load
};
VendorSplit splitVendorEntries(const QString &strFileName);

// Why the load refuses strFileName, or "loaded" when it does not.
QString loadRefusal(const QString &strFileName, DatabaseAccess access);

#endif
