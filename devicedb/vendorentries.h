#ifndef VENDORENTRIES_H
#define VENDORENTRIES_H

#include <QDomElement>
#include <QDomNode>
#include <QStringView>
#include <QXmlStreamAttributes>

// The vendor's entries: a Device directly under the document element with a
// ChipInfo child whose "Vendor" is exactly the vendor's name, whoever wrote
// it. Told from the starts and ends of elements in document order, so that
// the edit of the text, the tree and the status check all ask the same rule.
class VendorEntryRule
{
public:
    // vendor: the element's "Vendor" attribute. True when this element makes
    // the Device that holds it the vendor's entry.
    bool startElement(QStringView name, QStringView vendor);
    // True when the element that ends is one of the vendor's entries.
    bool endElement();
    // A child of the document element is open, which may be an entry.
    bool inEntry() const { return m_nDepth >= 2; }

private:
    int m_nDepth = 0; // 1 inside the document element
    bool m_bDevice = false; // the open child of the document element is a Device
    bool m_bVendor = false;
};

// An attribute as the tree keeps it: the last of its name.
QStringView attributeAsKept(const QXmlStreamAttributes &attributes, QStringView name);
inline QStringView vendorAttribute(const QXmlStreamAttributes &attributes)
{
    return attributeAsKept(attributes, u"Vendor");
}

bool isVendorEntry(const QDomNode &node);
void removeVendorEntries(QDomElement root);

#endif
