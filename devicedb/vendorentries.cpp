#include "vendorentries.h"

#include "vendor.h"

#include <QDomNodeList>

bool isVendorEntry(const QDomNode &node)
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

void removeVendorEntries(QDomElement root)
{
    QDomNode node = root.firstChild();
    while (!node.isNull()) {
        const QDomNode next = node.nextSibling();
        if (isVendorEntry(node))
            root.removeChild(node);
        node = next;
    }
}
