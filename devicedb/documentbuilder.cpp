#include "documentbuilder.h"

#include <QHash>
#include <QStringView>

namespace {

// One shared string for each distinct text; the table's keys look into the
// strings it holds.
class StringPool
{
public:
    QString get(QStringView text)
    {
        const auto it = m_strings.constFind(text);
        if (it != m_strings.constEnd())
            return it.value();
        const QString strText = text.toString();
        m_strings.insert(QStringView(strText), strText);
        return strText;
    }

private:
    QHash<QStringView, QString> m_strings;
};

// As the toolkit's parser records the XML declaration.
QString declarationData(const QXmlStreamReader &reader)
{
    QString strData = QStringLiteral("version='") + reader.documentVersion() + QLatin1Char('\'');
    if (!reader.documentEncoding().isEmpty())
        strData += QStringLiteral(" encoding='") + reader.documentEncoding() + QLatin1Char('\'');
    if (reader.isStandaloneDocument())
        strData += QStringLiteral(" standalone='yes'");
    return strData;
}

} // namespace

bool buildDocument(QXmlStreamReader &reader, QDomDocument &doc)
{
    StringPool pool;
    doc = QDomDocument();
    // A document made by the default constructor has no tree until its first node.
    QDomNode node;
    const auto append = [&doc, &node](const QDomNode &child) {
        if (node.isNull())
            node = doc;
        return node.appendChild(child);
    };
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            if (!reader.documentVersion().isEmpty())
                append(doc.createProcessingInstruction(QStringLiteral("xml"), declarationData(reader)));
            break;
        case QXmlStreamReader::StartElement: {
            QDomElement element = doc.createElement(pool.get(reader.qualifiedName()));
            for (const QXmlStreamAttribute &attribute : reader.attributes())
                element.setAttribute(pool.get(attribute.qualifiedName()), pool.get(attribute.value()));
            node = append(element);
            break;
        }
        case QXmlStreamReader::EndElement:
            node = node.parentNode();
            break;
        case QXmlStreamReader::Characters:
            // Text of blanks alone is not kept, not even in a CDATA section.
            if (reader.text().trimmed().isEmpty())
                break;
            append(reader.isCDATA() ? QDomNode(doc.createCDATASection(reader.text().toString()))
                                    : QDomNode(doc.createTextNode(pool.get(reader.text()))));
            break;
        case QXmlStreamReader::Comment:
            append(doc.createComment(reader.text().toString()));
            break;
        case QXmlStreamReader::ProcessingInstruction:
            append(doc.createProcessingInstruction(reader.processingInstructionTarget().toString(),
                                                   reader.processingInstructionData().toString()));
            break;
        case QXmlStreamReader::EntityReference:
            append(doc.createEntityReference(reader.name().toString()));
            break;
        default:
            break;
        }
    }
    return !reader.hasError();
}
