#include "vendorentries.h"

#include "vendor.h"

bool VendorEntryRule::startElement(QStringView name, QStringView vendor)
{
    ++m_nDepth;
    if (m_nDepth == 2) {
        m_bDevice = name == QLatin1String("Device");
        m_bVendor = false;
    } else if (m_nDepth == 3 && m_bDevice && name == QLatin1String("ChipInfo")
               && vendor == Vendor::name()) {
        m_bVendor = true;
        return true;
    }
    return false;
}

bool VendorEntryRule::endElement()
{
    return m_nDepth-- == 2 && m_bDevice && m_bVendor;
}

QStringView attributeAsKept(const QXmlStreamAttributes &attributes, QStringView name)
{
    for (auto it = attributes.crbegin(); it != attributes.crend(); ++it) {
        if (it->qualifiedName() == name)
            return it->value();
    }
    return QStringView();
}

bool isVendorEntry(const QDomNode &node)
{
    if (!node.isElement())
        return false;
    VendorEntryRule rule;
    rule.startElement(node.parentNode().nodeName(), QString());
    const QDomElement entry = node.toElement();
    rule.startElement(entry.tagName(), entry.attribute(QStringLiteral("Vendor")));
    for (QDomElement child = entry.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        rule.startElement(child.tagName(), child.attribute(QStringLiteral("Vendor")));
        rule.endElement();
    }
    return rule.endElement();
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
