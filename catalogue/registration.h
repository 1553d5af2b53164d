#ifndef REGISTRATION_H
#define REGISTRATION_H

#include <QDomDocument>

// Appends an entry for every catalogue row, in catalogue order, to the
// document element: what the registration step writes.
void addCatalogueEntries(QDomDocument doc);
// Those entries as a save writes them below the document element.
QByteArray catalogueEntriesText();

#endif
