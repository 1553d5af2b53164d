#include "devicedatabase.h"

#include "documentbuilder.h"
#include "fileaccess.h"
#include "heldfolder.h"
#include "jobmessages.h"
#include "setuplog.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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

// The toolkit's error text as the end of a sentence.
QString errorText(const QFileDevice &file)
{
    QString strText = file.errorString();
    if (strText.endsWith(QLatin1Char('.')))
        strText.chop(1);
    if (!strText.isEmpty())
        strText[0] = strText.at(0).toLower();
    return strText;
}

Reason errorReason(const QFileDevice &file, const QString &strFileName)
{
    return Reason::quoting(errorText(file), strFileName);
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
                return Reason(QT_TRANSLATE_NOOP("Reason", "entity declarations are not accepted"),
                              strFileName);
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
    const Reason noElement(QT_TRANSLATE_NOOP("Reason", "no document element"), strFileName);
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
        return Reason(QT_TRANSLATE_NOOP("Reason", "malformed or incomplete characters"),
                      strFileName);
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

// The file as it was read: still open, with the folder that holds it, where
// its replacement is written.
struct OpenedFile
{
    HeldFolder holder;
    QString strName;
    QFile file;
};

// Opens the file once, without creating it and without blocking (a FIFO
// would never end, a device never holds a database), through the folder held
// open; throws why not.
void openWholeFile(const QString &strFileName, DatabaseAccess access, OpenedFile &opened)
{
    const QFileInfo info(strFileName);
    Reason reason;
    const HeldFolder folder = HeldFolder::open(info.path(), reason);
    const QIODevice::OpenMode mode =
        access == DatabaseAccess::ReadWrite ? QIODevice::ReadWrite : QIODevice::ReadOnly;
    if (folder.isOpen()
        && folder.openFile(info.fileName(), mode, opened.file, &opened.holder, &opened.strName,
                           reason))
        return;
    if (reason.isEmpty())
        reason = Reason(QT_TRANSLATE_NOOP("Reason", "not a plain file"), strFileName);
    throwFileError(QStringLiteral("Failed to open file: "), strFileName, reason);
}

// Bytes, not text: text mode drops every CR byte, also those inside UTF-16
// characters, and the parser ends lines as XML says.
QByteArray readWhole(QFile &file, const QString &strFileName)
{
    const QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throwFileError(QStringLiteral("Failed to read file: "), strFileName,
                       errorReason(file, strFileName));
    return content;
}

// A folder that takes no new file still lets a writable file be written in
// place, by an account that may not make files there. Never when privileged:
// the name could lead elsewhere by then.
Reason writeInPlace(const HeldFolder &folder, const QString &strName, const QByteArray &content,
                    QIODevice::OpenMode mode)
{
    QFile file;
    Reason reason;
    if (!folder.openFile(strName, QIODevice::WriteOnly | mode, file, nullptr, nullptr, reason))
        return reason.isEmpty() ? Reason(QT_TRANSLATE_NOOP("Reason", "permission denied")) : reason;
    if (!file.resize(0) || file.write(content) != content.size() || !file.flush()
        || !folder.syncFiles({&file}))
        return Reason(QT_TRANSLATE_NOOP("Reason", "not all of it could be written"));
    return Reason();
}

// Writes the content into the temporary, puts it on disk and in the place
// of strName; says why not.
Reason placingProblem(const HeldFolder &folder, const QString &strName, QFile &file,
                      QString &strTemporary, const QByteArray &content)
{
    // A write that stops short (a full disk) reports no error.
    if (file.write(content) != content.size() || !file.flush()) {
        const QString strError = errorText(file);
        if (strError.isEmpty() || file.error() == QFileDevice::NoError)
            return Reason(QT_TRANSLATE_NOOP("Reason", "not all of it could be written"));
        return Reason::quoting(strError);
    }
    if (!folder.syncFiles({&file}))
        return Reason(QT_TRANSLATE_NOOP("Reason", "it could not be written to disk"));
    if (!folder.place(file, strTemporary, strName + QLatin1Char('.'), strName))
        return Reason(QT_TRANSLATE_NOOP("Reason", "it could not be replaced"));
    return Reason();
}

// Writes the new content beside the file in its folder held open, puts it
// on disk and then renames it into place, so that at every instant the name
// holds either the old or the new complete content, also after a power loss.
// pModel, the file replaced, gives its owner and permissions, and is closed
// then: Windows replaces no file that is still open.
Reason replaceFile(const HeldFolder &folder, const QString &strName, QFile *pModel,
                   const QByteArray &content, QIODevice::OpenMode mode = QIODevice::Text)
{
    QFile file;
    QString strTemporary;
    Reason reason;
    if (!folder.createTemporary(strName + QLatin1Char('.'), file, strTemporary, reason,
                                QIODevice::WriteOnly | mode)) {
        qCDebug(lcSetup) << "open file error" << reason.text();
        if (pModel && !runsPrivileged() && reason.text() == QLatin1String("permission denied"))
            return writeInPlace(folder, strName, content, mode);
        return reason;
    }
    if (pModel) {
        HeldFolder::copyOwnerAndMode(file, *pModel);
        pModel->close();
    }
    const Reason problem = placingProblem(folder, strName, file, strTemporary, content);
    file.close();
    if (!problem.isEmpty()) {
        qCDebug(lcSetup) << "write file error" << problem.text();
        if (!strTemporary.isEmpty())
            folder.remove(strTemporary);
        return problem;
    }
    folder.sync();
    return Reason();
}

// Replaces the file at the path, or the file a link there leads to, or makes
// it; a name that leads nowhere is replaced itself.
Reason replaceAt(const QString &strFileName, const QByteArray &content, QIODevice::OpenMode mode)
{
    const QFileInfo info(strFileName);
    Reason reason;
    const HeldFolder folder = HeldFolder::open(info.path(), reason);
    if (!folder.isOpen())
        return reason;
    // Opened for writing too: a file the account may not write is not replaced either.
    OpenedFile existing;
    if (folder.openFile(info.fileName(), QIODevice::ReadWrite, existing.file, &existing.holder,
                        &existing.strName, reason))
        return replaceFile(existing.holder, existing.strName, &existing.file, content, mode);
    if (!reason.isEmpty() && reason.text() != QLatin1String("does not exist")) {
        qCDebug(lcSetup) << "open file error";
        return reason;
    }
    return replaceFile(folder, info.fileName(), nullptr, content, mode);
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
                const TextEdit &textEdit, QFile &file, QDomDocument &doc, QByteArray &text)
{
    QByteArray content = readWhole(file, strFileName);
    const Prolog prolog = checkedProlog(content, strFileName);
    if (textEdit && !prolog.bDocumentType) {
        const TextEditResult result = textEdit(content, text);
        if (result != TextEditResult::LeftToTree)
            return result == TextEditResult::Edited;
    }
    doc = documentFromContent(content, prolog, strFileName);
    content = QByteArray();
    if (!edit(doc))
        return false;
    text = databaseText(doc);
    return true;
}

// The writer does not always write what its reader accepts, so the text is
// read back as the next load would read it before replace() puts it in place.
bool savedChecked(const QByteArray &text, const QString &strFileName, Reason *pReason,
                  const std::function<Reason()> &replace)
{
    Prolog prolog;
    const Reason problem = contentProblem(text, strFileName, prolog, true);
    if (!problem.isEmpty())
        qCDebug(lcSetup) << "the text to be saved is refused:" << problem.text();
    const Reason reason = problem.isEmpty()
        ? replace().about(strFileName)
        : Reason(QT_TRANSLATE_NOOP("Reason", "the result would not be readable"), strFileName);
    if (pReason)
        *pReason = reason;
    return reason.isEmpty();
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
    OpenedFile opened;
    openWholeFile(strFileName, access, opened);
    return parseDeviceDatabase(readWhole(opened.file, strFileName), strFileName);
}

QDomDocument parseDeviceDatabase(const QByteArray &content, const QString &strFileName)
{
    return documentFromContent(content, checkedProlog(content, strFileName), strFileName);
}

QVector<ReadEntry> loadVendorEntries(const QString &strFileName)
{
    OpenedFile opened;
    openWholeFile(strFileName, DatabaseAccess::ReadOnly, opened);
    const QByteArray content = readWhole(opened.file, strFileName);
    checkedProlog(content, strFileName);
    QVector<ReadEntry> entries;
    qint64 nLine = 0;
    qint64 nColumn = 0;
    if (!readVendorEntries(content, entries, nLine, nColumn))
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName,
                       notWellFormed(strFileName, nLine, nColumn));
    return entries;
}

QDomDocument loadDatabaseTemplate()
{
    QFile file(databaseTemplate());
    file.open(QIODevice::ReadOnly);
    return parseDeviceDatabase(file.readAll(), file.fileName());
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
    return savedChecked(text, strFileName, pReason,
                        [&] { return replaceAt(strFileName, text, QIODevice::Text); });
}

bool holdsNothing(const QDomDocument &doc)
{
    const QDomElement root = doc.documentElement();
    if (doc.childNodes().count() != 1 || root.attributes().count() != 0)
        return false;
    for (QDomNode child = root.firstChild(); !child.isNull(); child = child.nextSibling()) {
        if (!child.isText() || !child.nodeValue().trimmed().isEmpty())
            return false;
    }
    return true;
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
        // Read once and written beside what was read: a name swapped in
        // between changes nothing of where the text goes.
        OpenedFile opened;
        openWholeFile(strFileName, DatabaseAccess::ReadWrite, opened);
        QDomDocument doc;
        QByteArray text;
        // A save that did not happen (a full disk, say) is no success.
        if (!editedText(strFileName, edit, textEdit, opened.file, doc, text)
            || savedChecked(text, strFileName, &reason, [&] {
                   return replaceFile(opened.holder, opened.strName, &opened.file, text);
               }))
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
    QFile source(databaseTemplate());
    // Whatever is in the way, a name that leads nowhere included, is replaced.
    return source.open(QIODevice::ReadOnly)
        && replaceAt(strFileName, source.readAll(), QIODevice::NotOpen).isEmpty();
}

void makeFileWritable(QString strFileName)
{
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly))
        throwFileError(QStringLiteral("Failed to open file: "), strFileName,
                       errorReason(file, strFileName));
    file.setPermissions(writablePermissions());
    file.close();
}
