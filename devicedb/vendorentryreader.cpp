#include "vendorentryreader.h"

#include "vendorentries.h"

#include <QBuffer>
#include <QVarLengthArray>
#include <QXmlStreamReader>

#include <algorithm>

namespace {

// Each node as a kind and its lengths ahead of its texts, so that no text
// can pass for another's end.
class EntryForm
{
public:
    void clear() { m_strForm.clear(); }
    QString take() { return std::exchange(m_strForm, QString()); }

    void node(char kind, QStringView first = QStringView(), QStringView second = QStringView())
    {
        m_strForm += QLatin1Char(kind);
        text(first);
        text(second);
    }

    // The attributes sorted by name, each name once with its last value.
    void element(QStringView name, const QXmlStreamAttributes &attributes)
    {
        node('<', name);
        QVarLengthArray<int, 16> order;
        for (int i = 0; i < attributes.size(); ++i)
            order.append(i);
        std::stable_sort(order.begin(), order.end(), [&attributes](int a, int b) {
            return attributes.at(a).qualifiedName() < attributes.at(b).qualifiedName();
        });
        for (int i = 0; i < order.size(); ++i) {
            const QXmlStreamAttribute &attribute = attributes.at(order.at(i));
            if (i + 1 < order.size()
                && attributes.at(order.at(i + 1)).qualifiedName() == attribute.qualifiedName())
                continue;
            node('=', attribute.qualifiedName(), attribute.value());
        }
    }

private:
    void text(QStringView text)
    {
        m_strForm += QChar(ushort(text.size() >> 16));
        m_strForm += QChar(ushort(text.size()));
        m_strForm += text;
    }

    QString m_strForm;
};

class EntryReader
{
public:
    explicit EntryReader(QVector<ReadEntry> &entries)
        : m_entries(entries)
    {
    }

    void read(QXmlStreamReader &reader);

private:
    void startElement(const QXmlStreamReader &reader);
    void endElement();
    void text(const QXmlStreamReader &reader);

    QVector<ReadEntry> &m_entries;
    VendorEntryRule m_rule;
    EntryForm m_form; // of the document element's child being read
    QString m_strDevice; // the Name of the first ChipInfo that marks it
    bool m_bNamed = false;
    // The node before, kept by the tree, is an instruction: the line end
    // after it is the writer's, and the load drops it.
    bool m_bAfterInstruction = false;
};

void EntryReader::read(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::StartElement) {
            startElement(reader);
        } else if (token == QXmlStreamReader::EndElement) {
            endElement();
        } else if (!m_rule.inEntry()) {
            continue;
        } else if (token == QXmlStreamReader::Characters) {
            text(reader);
        } else if (token == QXmlStreamReader::Comment) {
            m_form.node('!', reader.text());
            m_bAfterInstruction = false;
        } else if (token == QXmlStreamReader::ProcessingInstruction) {
            m_form.node('?', reader.processingInstructionTarget(),
                        reader.processingInstructionData());
            m_bAfterInstruction = true;
        } else if (token == QXmlStreamReader::EntityReference) {
            m_form.node('&', reader.name());
            m_bAfterInstruction = false;
        }
    }
}

void EntryReader::startElement(const QXmlStreamReader &reader)
{
    const bool bEntryStarts = !m_rule.inEntry();
    const QXmlStreamAttributes attributes = reader.attributes();
    const bool bMarks = m_rule.startElement(reader.qualifiedName(), vendorAttribute(attributes));
    if (!m_rule.inEntry())
        return;
    if (bEntryStarts) {
        m_form.clear();
        m_bNamed = false;
    }
    if (bMarks && !m_bNamed) {
        m_strDevice = attributeAsKept(attributes, u"Name").toString();
        m_bNamed = true;
    }
    m_form.element(reader.qualifiedName(), attributes);
    m_bAfterInstruction = false;
}

void EntryReader::endElement()
{
    const bool bInEntry = m_rule.inEntry();
    if (m_rule.endElement())
        m_entries.append({m_strDevice, m_form.take()});
    else if (bInEntry)
        m_form.node('>');
    m_bAfterInstruction = false;
}

// Text of blanks alone is not kept, as the tree's load drops it.
void EntryReader::text(const QXmlStreamReader &reader)
{
    QStringView text = reader.text();
    if (text.trimmed().isEmpty())
        return;
    if (reader.isCDATA()) {
        m_form.node('[', text);
    } else {
        if (m_bAfterInstruction && text.startsWith(QLatin1Char('\n')))
            text = text.mid(1);
        m_form.node('t', text);
    }
    m_bAfterInstruction = false;
}

} // namespace

bool readVendorEntries(const QByteArray &content, QVector<ReadEntry> &entries, qint64 &nLine,
                       qint64 &nColumn)
{
    // Read as the loader reads, from a device.
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&buffer);
    reader.setNamespaceProcessing(false);
    EntryReader(entries).read(reader);
    nLine = reader.lineNumber();
    nColumn = reader.columnNumber();
    return !reader.hasError();
}
