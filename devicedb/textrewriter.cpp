#include "textrewriter.h"

#include "vendorentries.h"

#include <QBuffer>
#include <QHash>
#include <QVector>
#include <QXmlStreamReader>

#include <vector>

// Each rule below is one of the tree writer's (two spaces of indentation,
// UTF-8): a node's line end and indentation depend on whether its siblings
// are text, so each is written only once the next sibling is known.

namespace {

enum class Escape { None, Text, Attribute };

// The writer's entity for the ASCII character at i, or nullptr.
const char *entity(QStringView text, qsizetype i, Escape escape)
{
    const bool bAttribute = escape == Escape::Attribute;
    switch (text[i].unicode()) {
    case '<':
        return "&lt;";
    case '&':
        return "&amp;";
    case '>':
        return i >= 2 && text[i - 1] == QLatin1Char(']') && text[i - 2] == QLatin1Char(']')
            ? "&gt;"
            : nullptr;
    case '"':
        return bAttribute ? "&quot;" : nullptr;
    case '\n':
        return bAttribute ? "&#xa;" : nullptr;
    case '\t':
        return bAttribute ? "&#x9;" : nullptr;
    case '\r':
        return "&#xd;";
    default:
        return nullptr;
    }
}

// UTF-8, as the writer's codec makes it: a lone surrogate becomes '?'.
void append(QByteArray &out, QStringView text, Escape escape = Escape::None)
{
    const int nStart = out.size();
    out.resize(nStart + int(text.size()) * 6); // "&quot;" is the longest form of one character
    char *p = out.data() + nStart;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const ushort c = text[i].unicode();
        if (c < 0x80) {
            const char *pszEntity = escape == Escape::None ? nullptr : entity(text, i, escape);
            if (!pszEntity)
                *p++ = char(c);
            while (pszEntity && *pszEntity)
                *p++ = *pszEntity++;
        } else if (c < 0x800) {
            *p++ = char(0xc0 | (c >> 6));
            *p++ = char(0x80 | (c & 0x3f));
        } else if (!QChar::isSurrogate(c)) {
            *p++ = char(0xe0 | (c >> 12));
            *p++ = char(0x80 | ((c >> 6) & 0x3f));
            *p++ = char(0x80 | (c & 0x3f));
        } else if (QChar::isHighSurrogate(c) && i + 1 < text.size()
                   && text[i + 1].isLowSurrogate()) {
            const uint u = QChar::surrogateToUcs4(c, text[++i].unicode());
            *p++ = char(0xf0 | (u >> 18));
            *p++ = char(0x80 | ((u >> 12) & 0x3f));
            *p++ = char(0x80 | ((u >> 6) & 0x3f));
            *p++ = char(0x80 | (u & 0x3f));
        } else {
            *p++ = '?';
        }
    }
    out.resize(int(p - out.constData()));
}

// The tree keeps an element's attributes in a hash table and writes them in
// its order: under the pinned seed, the same for every element whose names
// come in the same order, so each such order is worked out once.
class AttributeOrders
{
public:
    // nullptr when a name repeats, which the tree would keep once.
    const QVector<int> *order(const QXmlStreamAttributes &attributes)
    {
        m_key.resize(0);
        for (const QXmlStreamAttribute &attribute : attributes) {
            m_key += attribute.qualifiedName();
            m_key += QChar(); // no name holds it
        }
        auto it = m_orders.constFind(m_key);
        if (it == m_orders.constEnd())
            it = m_orders.insert(m_key, tableOrder(attributes));
        return it->isEmpty() ? nullptr : &*it;
    }

private:
    static QVector<int> tableOrder(const QXmlStreamAttributes &attributes)
    {
        QHash<QString, int> table;
        for (int i = 0; i < attributes.size(); ++i)
            table.insert(attributes.at(i).qualifiedName().toString(), i);
        QVector<int> order;
        if (table.size() == attributes.size()) {
            for (int i : qAsConst(table))
                order.append(i);
        }
        return order;
    }

    QString m_key;
    QHash<QString, QVector<int>> m_orders;
};

// The children written so far of the document or of one open element.
struct Level
{
    int nDepth = 0; // of the children, in steps of indentation
    bool bOpenPending = false; // the element's '>' waits for its first child
    bool bLineEndPending = false; // the last child's line end, if no text follows
    bool bAfterText = false; // the last child written is text
    bool bAfterInstruction = false; // the last child read is an instruction
};

class Rewriter
{
public:
    Rewriter(const QByteArray &entriesText, QByteArray &out)
        : m_entriesText(entriesText)
        , m_out(out)
    {
        m_levels.emplace_back();
    }

    bool rewrite(QXmlStreamReader &reader);
    RewriteOutcome outcome() const { return m_outcome; }

private:
    bool startElement(const QXmlStreamReader &reader);
    void endElement(QStringView name);
    void comment(QStringView text);
    void instruction(QStringView target, QStringView data);
    void text(QStringView text, bool bCData);
    void appendEntries();
    // Ends what the new child's kind decides: the parent's start tag, the
    // line of the sibling before.
    void beginChild(bool bText);
    void indent(int nDepth) { m_out.append(nDepth * 2, ' '); }

    const QByteArray &m_entriesText;
    QByteArray &m_out;
    std::vector<Level> m_levels; // the document's, then one per open element
    AttributeOrders m_orders;
    VendorEntryRule m_rule;
    // The document element's child being read: where its text began and
    // its parent's level then, for when it turns out to be the vendor's entry.
    int m_nEntryStart = -1;
    Level m_rootBeforeEntry;
    bool m_bBesideRoot = false; // a declaration, comment or instruction
    bool m_bRootAttributes = false;
    RewriteOutcome m_outcome;
};

bool Rewriter::rewrite(QXmlStreamReader &reader)
{
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            // The tree keeps the declaration as an instruction.
            m_bBesideRoot = !reader.documentVersion().isEmpty();
            break;
        case QXmlStreamReader::EndDocument:
            break;
        case QXmlStreamReader::StartElement:
            if (!startElement(reader))
                return false;
            break;
        case QXmlStreamReader::EndElement:
            endElement(reader.qualifiedName());
            break;
        case QXmlStreamReader::Characters:
            // Text of blanks alone is not kept, as the tree's loader drops it.
            if (!reader.text().trimmed().isEmpty())
                text(reader.text(), reader.isCDATA());
            break;
        case QXmlStreamReader::Comment:
            comment(reader.text());
            break;
        case QXmlStreamReader::ProcessingInstruction:
            // The tree's save skips up to the first one named so.
            if (reader.processingInstructionTarget() == QLatin1String("xml"))
                return false;
            instruction(reader.processingInstructionTarget(), reader.processingInstructionData());
            break;
        default: // a document type, an entity reference, an error
            return false;
        }
    }
    if (reader.hasError())
        return false;
    if (m_levels.front().bLineEndPending)
        m_out += '\n';
    m_outcome.bEmptied = m_outcome.bEmptied && !m_bBesideRoot;
    return true;
}

void Rewriter::beginChild(bool bText)
{
    Level &level = m_levels.back();
    if (level.bOpenPending)
        m_out += bText ? ">" : ">\n";
    else if (level.bLineEndPending && !bText)
        m_out += '\n';
    level.bOpenPending = false;
    level.bLineEndPending = false;
    level.bAfterText = bText;
    level.bAfterInstruction = false;
}

bool Rewriter::startElement(const QXmlStreamReader &reader)
{
    const QStringRef name = reader.qualifiedName();
    const QXmlStreamAttributes attributes = reader.attributes();
    m_rule.startElement(name, vendorAttribute(attributes));
    if (m_levels.size() == 1) {
        m_bRootAttributes = !attributes.isEmpty();
    } else if (m_levels.size() == 2) {
        m_nEntryStart = m_out.size();
        m_rootBeforeEntry = m_levels.back();
    }
    const bool bIndent = !m_levels.back().bAfterText;
    beginChild(false);
    const int nDepth = m_levels.back().nDepth;
    if (bIndent)
        indent(nDepth);
    m_out += '<';
    append(m_out, name);
    const QVector<int> *order = attributes.size() > 1 ? m_orders.order(attributes) : nullptr;
    if (attributes.size() > 1 && !order)
        return false;
    for (int i = 0; i < attributes.size(); ++i) {
        const QXmlStreamAttribute &attribute = attributes.at(order ? order->at(i) : i);
        m_out += ' ';
        append(m_out, attribute.qualifiedName());
        m_out += "=\"";
        append(m_out, attribute.value(), Escape::Attribute);
        m_out += '"';
    }
    Level children;
    children.nDepth = nDepth + 1;
    children.bOpenPending = true;
    m_levels.push_back(children);
    return true;
}

void Rewriter::endElement(QStringView name)
{
    const bool bVendorEntry = m_rule.endElement();
    if (m_levels.size() == 2)
        appendEntries();
    const Level closed = m_levels.back();
    m_levels.pop_back();
    if (m_levels.size() == 1)
        m_outcome.bEmptied = closed.bOpenPending && !m_bRootAttributes;
    if (closed.bOpenPending) {
        m_out += "/>";
    } else {
        if (closed.bLineEndPending)
            m_out += '\n';
        if (!closed.bAfterText)
            indent(closed.nDepth - 1);
        m_out += "</";
        append(m_out, name);
        m_out += '>';
    }
    Level &parent = m_levels.back();
    parent.bLineEndPending = true;
    if (bVendorEntry) {
        m_out.truncate(m_nEntryStart);
        parent = m_rootBeforeEntry;
        parent.bAfterInstruction = false; // as read, an element came last
        ++m_outcome.nRemoved;
    }
}

void Rewriter::appendEntries()
{
    if (m_entriesText.isEmpty())
        return;
    // The first entry's indentation goes where text comes before it.
    const int nSkip = m_levels.back().bAfterText ? 2 : 0;
    beginChild(false);
    m_out.append(m_entriesText.constData() + nSkip, m_entriesText.size() - nSkip);
}

void Rewriter::comment(QStringView text)
{
    m_bBesideRoot = m_bBesideRoot || m_levels.size() == 1;
    const bool bIndent = !m_levels.back().bAfterText;
    beginChild(false);
    if (bIndent)
        indent(m_levels.back().nDepth);
    m_out += "<!--";
    append(m_out, text);
    m_out += text.endsWith(QLatin1Char('-')) ? " -->" : "-->";
    m_levels.back().bLineEndPending = true;
}

void Rewriter::instruction(QStringView target, QStringView data)
{
    m_bBesideRoot = m_bBesideRoot || m_levels.size() == 1;
    beginChild(false);
    m_out += "<?";
    append(m_out, target);
    m_out += ' ';
    append(m_out, data);
    m_out += "?>\n";
    m_levels.back().bAfterInstruction = true;
}

void Rewriter::text(QStringView text, bool bCData)
{
    // The loader takes the line end after an instruction for the writer's.
    if (!bCData && m_levels.back().bAfterInstruction && text.startsWith(QLatin1Char('\n')))
        text = text.mid(1);
    beginChild(true);
    if (bCData) {
        m_out += "<![CDATA[";
        append(m_out, text);
        m_out += "]]>";
    } else {
        append(m_out, text, Escape::Text);
    }
}

} // namespace

bool rewriteDatabaseText(const QByteArray &content, const QByteArray &entriesText,
                         QByteArray &result, RewriteOutcome *pOutcome)
{
    // Read as the loader reads, from a device.
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&buffer);
    reader.setNamespaceProcessing(false);
    result.clear();
    result.reserve(content.size() + content.size() / 8 + entriesText.size());
    Rewriter rewriter(entriesText, result);
    if (!rewriter.rewrite(reader))
        return false;
    if (pOutcome)
        *pOutcome = rewriter.outcome();
    return true;
}
