#include "devicedatabase.h"

#include "documentbuilder.h"
#include "fileaccess.h"
#include "jobmessages.h"
#include "pinnedhashseed.h"
#include "setuplog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextCodec>
#include <QTextStream>
#include <QXmlStreamReader>

#include <stdexcept>

namespace {

const char *const textCodec = "UTF-8";
const int indentation = 2;

[[noreturn]] void throwFileError(const QString &strWhat, const QString &strFileName,
                                 const Reason &reason)
{
    qCDebug(lcSetup).noquote() << strWhat + strFileName << "(" << reason.text() << ")";
    const QString strMessage
        = strWhat + strFileName + QLatin1Char('(') + reason.text() + QLatin1Char(')');
    throw FileError(strMessage, reason);
}

[[noreturn]] void throwFileError(const QString &strWhat, const QString &strFileName,
                                 const QString &strReason)
{
    throwFileError(strWhat, strFileName, Reason(strReason, strFileName));
}

// The toolkit's error text as the end of a sentence.
QString errorReason(const QFileDevice &file)
{
    QString strText = file.errorString();
    if (strText.endsWith(QLatin1Char('.')))
        strText.chop(1);
    if (!strText.isEmpty())
        strText[0] = strText.at(0).toLower();
    return strText;
}

// One wording on every platform for what the user's rights forbid; Windows
// words a read-only file "Access is denied".
QString writeReason(const QFileDevice &file, const QString &strFileName)
{
    const QFileInfo info(strFileName);
    const bool bForbidden = info.exists() ? !info.isWritable()
                                          : !QFileInfo(info.absolutePath()).isWritable();
    return bForbidden ? QStringLiteral("permission denied") : errorReason(file);
}

QString openReason(const QFile &file, DatabaseAccess access)
{
    if (access == DatabaseAccess::ReadWrite)
        return writeReason(file, file.fileName());
    return QFileInfo(file.fileName()).isReadable() ? errorReason(file)
                                                   : QStringLiteral("permission denied");
}

// The toolkit counts columns from 0, editors from 1.
Reason notWellFormed(const QString &strFileName, qint64 nLine, qint64 nColumn)
{
    return Reason::notWellFormed(strFileName, nLine, nColumn + 1);
}

// What the prolog declares that the load needs to know.
struct Prolog
{
    QString strEncoding;
    bool bDocumentType = false;
};

// Reads the prolog up to the document element, or with bWhole the whole
// document. Entities can make a small file expand without bound (one entity
// used many times defeats the parser's limit per entity); J-Link's databases
// use none. Whatever stops this reading early refuses the file, so that
// nothing can hide a declaration from it.
Reason readingProblem(const QByteArray &content, const QString &strFileName, bool bWhole,
                      Prolog &prolog)
{
    // From a device the reader decodes a little at a time, not all at once.
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&buffer);
    reader.setNamespaceProcessing(false);
    bool bElement = false;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            prolog.strEncoding = reader.documentEncoding().toString();
            break;
        case QXmlStreamReader::DTD:
            prolog.bDocumentType = true;
            if (!reader.entityDeclarations().isEmpty())
                return Reason(QStringLiteral("entity declarations are not accepted"), strFileName);
            break;
        case QXmlStreamReader::StartElement:
            if (!bWhole)
                return Reason();
            bElement = true;
            break;
        default:
            break;
        }
    }
    const Reason noElement(QStringLiteral("no document element"), strFileName);
    if (!reader.hasError())
        return bElement ? Reason() : noElement;
    if (reader.error() == QXmlStreamReader::PrematureEndOfDocumentError && !bElement)
        return noElement;
    qCDebug(lcSetup) << reader.errorString();
    return notWellFormed(strFileName, reader.lineNumber(), reader.columnNumber());
}

// The parser refuses malformed UTF-8 only: UTF-16 lets a lone surrogate or
// half a character through, a declared code page the bytes it cannot map.
// Decoded once more with the parser's codec, every byte must count, as far as
// the codec tells. A piece at a time, so that no second copy of a large
// database is held.
bool decodesCleanly(const QByteArray &content, const QString &strEncoding)
{
    // Undeclared and without a byte-order mark, XML is UTF-8.
    QTextCodec *const codec = strEncoding.isEmpty()
        ? QTextCodec::codecForUtfText(content, QTextCodec::codecForName("UTF-8"))
        : QTextCodec::codecForName(strEncoding.toLatin1());
    if (!codec)
        return false;
    const int nPiece = 1 << 20;
    QTextCodec::ConverterState state;
    QChar carried; // a surrogate pair may straddle two pieces
    for (int nStart = 0; nStart < content.size(); nStart += nPiece) {
        QString strText = codec->toUnicode(content.constData() + nStart,
                                           qMin(nPiece, content.size() - nStart), &state);
        if (!carried.isNull())
            strText.prepend(carried);
        carried = QChar();
        const bool bMore = nStart + nPiece < content.size();
        if (bMore && !strText.isEmpty() && strText.at(strText.size() - 1).isHighSurrogate()) {
            carried = strText.at(strText.size() - 1);
            strText.chop(1);
        }
        if (!strText.isValidUtf16())
            return false;
    }
    return state.invalidChars == 0 && state.remainingChars == 0;
}

// Why the content may not become a tree, or nothing. bWhole reads it to its
// end as the tree's parser would, without building the tree.
Reason contentProblem(const QByteArray &content, const QString &strFileName, Prolog &prolog,
                      bool bWhole = false)
{
    const Reason problem = readingProblem(content, strFileName, bWhole, prolog);
    if (!problem.isEmpty())
        return problem;
    if (!decodesCleanly(content, prolog.strEncoding))
        return Reason(QStringLiteral("malformed or incomplete characters"), strFileName);
    return Reason();
}

// The writer ends the line of a processing instruction also where text
// follows, and read back that text would begin with one more line end on
// every save. The line end after an instruction is the writer's to give.
void dropLineEndsAfterInstructions(const QDomNode &parent)
{
    QDomNode node = parent.firstChild();
    while (!node.isNull()) {
        const QDomNode next = node.nextSibling();
        if (node.isElement()) {
            dropLineEndsAfterInstructions(node);
        } else if (node.isProcessingInstruction() && next.nodeType() == QDomNode::TextNode) {
            QDomText text = next.toText();
            if (text.data().startsWith(QLatin1Char('\n')))
                text.setData(text.data().mid(1));
        }
        node = next;
    }
}

// Bytes, not text: text mode drops every CR byte, also those inside UTF-16
// characters, and the parser ends lines as XML says.
QByteArray readWholeFile(const QString &strFileName, DatabaseAccess access)
{
    // A FIFO would never end and a device never holds a database.
    if (!QFileInfo(strFileName).isFile())
        throwFileError(QStringLiteral("Failed to open file: "), strFileName,
                       QStringLiteral("not a plain file"));
    QFile file(strFileName);
    if (!file.open(access == DatabaseAccess::ReadWrite ? QIODevice::ReadWrite
                                                       : QIODevice::ReadOnly)) {
        qCDebug(lcSetup) << file.errorString();
        throwFileError(QStringLiteral("Failed to open file: "), strFileName,
                       openReason(file, access));
    }
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throwFileError(QStringLiteral("Failed to read file: "), strFileName, errorReason(file));
    return content;
}

// Writes the file anew beside the old one and then replaces it, so that at
// every instant the path holds either the old or the new complete content.
QString replaceFile(const QString &strFileName, const QByteArray &content)
{
    QSaveFile file(strFileName);
    // A folder that takes no new file still lets a writable file be written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qCDebug(lcSetup) << "open file error";
        return writeReason(file, strFileName);
    }
    if (QFileInfo::exists(strFileName))
        keepOwner(file, strFileName);
    else
        file.setPermissions(writablePermissions());
    // A write that stops short (a full disk) reports no error, and commit()
    // would put the cut-off file in place of the old one.
    QString strReason;
    if (file.write(content) != content.size() || !file.flush()) {
        strReason = errorReason(file);
        if (strReason.isEmpty() || file.error() == QFileDevice::NoError)
            strReason = QStringLiteral("not all of it could be written");
        file.cancelWriting();
    }
    if (!file.commit()) {
        qCDebug(lcSetup) << "write file error" << file.errorString();
        return strReason.isEmpty() ? errorReason(file) : strReason;
    }
    return QString();
}

// The stream reader keeps characters beyond U+FFFF, which the older parser
// cut to 16 bits; names and xmlns attributes stay as written. The toolkit's
// parser records a document type; a document without one, as J-Link's are,
// takes less memory built by our own.
bool parse(const QByteArray &content, bool bDocumentType, QDomDocument &doc, int &nLine,
           int &nColumn)
{
    QBuffer buffer;
    buffer.setData(content);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader reader(&buffer);
    reader.setNamespaceProcessing(false);
    QString strError;
    if (bDocumentType ? doc.setContent(&reader, false, &strError, &nLine, &nColumn)
                      : buildDocument(reader, doc))
        return true;
    if (!bDocumentType) {
        strError = reader.errorString();
        nLine = int(reader.lineNumber());
        nColumn = int(reader.columnNumber());
    }
    qCDebug(lcSetup) << strError;
    return false;
}

// The prolog of content the load accepts; throws why it does not.
Prolog checkedProlog(const QByteArray &content, const QString &strFileName)
{
    Prolog prolog;
    const Reason problem = contentProblem(content, strFileName, prolog);
    if (!problem.isEmpty())
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName, problem);
    return prolog;
}

QDomDocument documentFromContent(const QByteArray &content, const Prolog &prolog,
                                 const QString &strFileName)
{
    QDomDocument doc;
    int nLine = 0;
    int nColumn = 0;
    if (!parse(content, prolog.bDocumentType, doc, nLine, nColumn))
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName,
                       notWellFormed(strFileName, nLine, nColumn));
    dropLineEndsAfterInstructions(doc);
    return doc;
}

// A QTextStream that encodes as a save does, into bytes.
void writeAsSaved(QByteArray &text, const std::function<void(QTextStream &)> &write)
{
    QBuffer buffer(&text);
    buffer.open(QIODevice::WriteOnly);
    const PinnedHashSeed seed;
    // Encoded as it is written, so that the whole text is never held twice.
    QTextStream stream(&buffer);
    stream.setCodec(textCodec);
    write(stream);
}

// The text the edit leaves to be saved, or false when the edit saves nothing.
// The text read goes as soon as the tree is built. The tree is the caller's
// to free after the save: its many small blocks, freed before, would make the
// read-back's allocations twice as slow.
bool editedText(const QString &strFileName, const std::function<bool(QDomDocument)> &edit,
                const TextEdit &textEdit, QDomDocument &doc, QByteArray &text)
{
    QByteArray content = readWholeFile(strFileName, DatabaseAccess::ReadWrite);
    const Prolog prolog = checkedProlog(content, strFileName);
    if (textEdit && !prolog.bDocumentType && textEdit(content, text))
        return true;
    doc = documentFromContent(content, prolog, strFileName);
    content = QByteArray();
    if (!edit(doc))
        return false;
    text = databaseText(doc);
    return true;
}

} // namespace

FileError::FileError(const QString &strMessage, const Reason &reason)
    : std::runtime_error(strMessage.toLocal8Bit().toStdString())
    , m_reason(reason)
{
}

QString deviceDatabasePath(const QString &strJLinkPath)
{
    return strJLinkPath + QLatin1Char('/') + QStringLiteral("JLinkDevices.xml");
}

QDomDocument loadDeviceDatabase(QString strFileName, DatabaseAccess access)
{
    return parseDeviceDatabase(readWholeFile(strFileName, access), strFileName);
}

QDomDocument parseDeviceDatabase(const QByteArray &content, const QString &strFileName)
{
    return documentFromContent(content, checkedProlog(content, strFileName), strFileName);
}

QDomDocument loadDatabaseTemplate()
{
    return loadDeviceDatabase(QStringLiteral(":/JLinkDevices.xml"), DatabaseAccess::ReadOnly);
}

QByteArray databaseText(const QDomDocument &doc)
{
    QByteArray text;
    writeAsSaved(text, [&doc](QTextStream &stream) {
        doc.save(stream, indentation, QDomNode::EncodingFromTextStream);
    });
    removeXmlDeclaration(text);
    return text;
}

QByteArray childrenText(const QDomElement &parent)
{
    QByteArray text;
    writeAsSaved(text, [&parent](QTextStream &stream) {
        // A node saved alone is written one level in.
        for (QDomNode child = parent.firstChild(); !child.isNull(); child = child.nextSibling())
            child.save(stream, indentation);
    });
    return text;
}

bool saveDeviceDatabase(QDomDocument doc, QString strFileName, Reason *pReason)
{
    return saveDatabaseText(databaseText(doc), strFileName, pReason);
}

bool saveDatabaseText(const QByteArray &text, const QString &strFileName, Reason *pReason)
{
    // The writer does not always write what its reader accepts, so the text
    // is read back as the next load would read it before it replaces the file.
    Prolog prolog;
    const Reason problem = contentProblem(text, strFileName, prolog, true);
    if (!problem.isEmpty())
        qCDebug(lcSetup) << "the text to be saved is refused:" << problem.text();
    const Reason reason(problem.isEmpty() ? replaceFile(strFileName, text)
                                          : QStringLiteral("the result would not be readable"),
                        strFileName);
    if (pReason)
        *pReason = reason;
    return reason.isEmpty();
}

void removeXmlDeclaration(QByteArray &text)
{
    const int nFirstLineEnd = text.indexOf('\n');
    // A single line keeps its declaration.
    if (nFirstLineEnd < 0 || nFirstLineEnd == text.size() - 1 || !text.startsWith("<?xml"))
        return;
    // In place: the text of a large database is not copied.
    text.remove(0, nFirstLineEnd + 1);
    if (!text.endsWith('\n'))
        text += '\n';
}

bool editDeviceDatabase(const QString &strFileName, const std::function<bool(QDomDocument)> &edit,
                        QString &strErroInfo, Reason *pReason, const TextEdit &textEdit)
{
    Reason reason;
    try {
        const PinnedHashSeed seed;
        QDomDocument doc;
        QByteArray text;
        // A save that did not happen (a full disk, say) is no success.
        if (!editedText(strFileName, edit, textEdit, doc, text)
            || saveDatabaseText(text, strFileName, &reason))
            return true;
    } catch (const FileError &error) {
        reason = error.reason();
    } catch (const std::exception &) {
    }
    strErroInfo = JobMessages::databaseAccessFailed();
    if (pReason)
        *pReason = reason;
    return false;
}

bool createDeviceDatabase(QString strFileName)
{
    // QFile::copy does not overwrite.
    removeEarlierCopy(strFileName);
    if (!QFile::copy(QStringLiteral(":/JLinkDevices.xml"), strFileName))
        return false;
    // The copy carries the resource's read-only permissions.
    makeFileWritable(strFileName);
    return true;
}

void makeFileWritable(QString strFileName)
{
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(QStringLiteral("Failed to open file: "), strFileName, errorReason(file));
    file.setPermissions(writablePermissions());
    file.close();
}

bool removeEarlierCopy(const QString &strFileName)
{
    const QFileInfo info(strFileName);
    if (!info.exists() && !info.isSymLink())
        return true;
    if (QFile::remove(strFileName))
        return true;
    if (info.isSymLink() || info.isWritable())
        return false;
    const QFileDevice::Permissions before = info.permissions();
    if (!QFile::setPermissions(strFileName, before | QFileDevice::WriteOwner))
        return false;
    if (QFile::remove(strFileName))
        return true;
    QFile::setPermissions(strFileName, before);
    return false;
}
