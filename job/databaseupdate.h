#ifndef DATABASEUPDATE_H
#define DATABASEUPDATE_H

#include "devicedatabase.h"

#include <QByteArray>
#include <QDomDocument>

// The job's one change of a database, two ways that write the same bytes:
// the earlier entries of the vendor removed and the catalogue appended.
bool replaceVendorEntries(QDomDocument doc);
// Straight from the text, for all but rare content (see rewriteDatabaseText):
// without the tree, a large database takes a fraction of the time and memory.
TextEditResult replaceVendorEntriesInText(const QByteArray &content, QByteArray &text);

#endif
