#ifndef VENDORENTRIES_H
#define VENDORENTRIES_H

#include <QDomElement>
#include <QDomNode>

// The vendor's entries: a Device directly under the document element with a
// ChipInfo child whose "Vendor" is exactly the vendor's name, whoever wrote it.
bool isVendorEntry(const QDomNode &node);
void removeVendorEntries(QDomElement root);

#endif
