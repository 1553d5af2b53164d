#include "devicedatabase.h"

#include "fileaccess.h"
#include "jobmessages.h"
#include "pinnedhashseed.h"
#include "setuplog.h"

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

[[noreturn]] void throwFileError(const QString &strWhat, const QString &strFileName,
                                 const QString &strReason)
{
    qCDebug(lcSetup).noquote() << strWhat + strFileName << "(" << strReason << ")";
    const QString strMessage = strWhat + strFileName + QLatin1Char('(') + strReason + QLatin1Char(')');
    throw FileError(strMessage, strReason);
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
QString notWellFormed(qint64 nLine, qint64 nColumn)
{
    return QStringLiteral("not well-formed at line %1, column %2").arg(nLine).arg(nColumn + 1);
}

// Reads the prolog up to the document element. Entities can make a small
// file expand without bound (one entity used many times defeats the parser's
// limit per entity); J-Link's databases use none. Whatever stops this reading
// early refuses the file, so that nothing can hide a declaration from it.
QString prologProblem(const QByteArray &content, QString &strEncoding)
{
    QXmlStreamReader reader(content);
    reader.setNamespaceProcessing(false);
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::StartDocument:
            strEncoding = reader.documentEncoding().toString();
            break;
        case QXmlStreamReader::DTD:
            if (!reader.entityDeclarations().isEmpty())
                return QStringLiteral("entity declarations are not accepted");
            break;
        case QXmlStreamReader::StartElement:
            return QString();
        default:
            break;
        }
    }
    if (!reader.hasError() || reader.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        return QStringLiteral("no document element");
    qCDebug(lcSetup) << reader.errorString();
    return notWellFormed(reader.lineNumber(), reader.columnNumber());
}

// The parser refuses malformed UTF-8 only: UTF-16 lets a lone surrogate or
// half a character through, a declared code page the bytes it cannot map.
// Decoded once more with the parser's codec, every byte must count, as far as
// the codec tells.
bool decodesCleanly(const QByteArray &content, const QString &strEncoding)
{
    // Undeclared and without a byte-order mark, XML is UTF-8.
    QTextCodec *const codec = strEncoding.isEmpty()
        ? QTextCodec::codecForUtfText(content, QTextCodec::codecForName("UTF-8"))
        : QTextCodec::codecForName(strEncoding.toLatin1());
    if (!codec)
        return false;
    QTextCodec::ConverterState state;
    const QString strText = codec->toUnicode(content.constData(), content.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0 && strText.isValidUtf16();
}

// Why the content may not become a tree, or nothing.
QString contentProblem(const QByteArray &content)
{
    QString strEncoding;
    const QString strProblem = prologProblem(content, strEncoding);
    if (!strProblem.isEmpty())
        return strProblem;
    if (!decodesCleanly(content, strEncoding))
        return QStringLiteral("malformed or incomplete characters");
    return QString();
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
    keepOwner(file, strFileName);
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

} // namespace

FileError::FileError(const QString &strMessage, const QString &strReason)
    : std::runtime_error(strMessage.toLocal8Bit().toStdString())
    , m_strReason(strReason)
{
}

QString deviceDatabasePath(const QString &strJLinkPath)
{
    return strJLinkPath + QLatin1Char('/') + QStringLiteral("JLinkDevices.xml");
}

QDomDocument loadDeviceDatabase(QString strFileName, DatabaseAccess access)
{
    const QByteArray content = readWholeFile(strFileName, access);
    const QString strProblem = contentProblem(content);
    if (!strProblem.isEmpty())
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName, strProblem);
    // The stream reader keeps characters beyond U+FFFF, which the older parser
    // cut to 16 bits; names and xmlns attributes stay as written.
    QXmlStreamReader reader(content);
    reader.setNamespaceProcessing(false);
    QDomDocument doc;
    QString strError;
    int nLine = 0;
    int nColumn = 0;
    if (!doc.setContent(&reader, false, &strError, &nLine, &nColumn)) {
        qCDebug(lcSetup) << strError;
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName,
                       notWellFormed(nLine, nColumn));
    }
    dropLineEndsAfterInstructions(doc);
    return doc;
}

bool saveDeviceDatabase(QDomDocument doc, QString strFileName, QString *pstrReason)
{
    QString strText;
    {
        const PinnedHashSeed seed;
        QTextStream stream(&strText);
        stream.setCodec(textCodec);
        doc.save(stream, 2, QDomNode::EncodingFromTextStream);
    }
    // The declaration goes before the file is written, so that a save writes
    // and syncs the database once.
    const QString strReason = replaceFile(strFileName, removeXmlDeclaration(strText).toUtf8());
    if (pstrReason)
        *pstrReason = strReason;
    return strReason.isEmpty();
}

QString removeXmlDeclaration(const QString &strText)
{
    const int nFirstLineEnd = strText.indexOf(QLatin1Char('\n'));
    // A single line keeps its declaration.
    if (nFirstLineEnd < 0 || nFirstLineEnd == strText.size() - 1
        || !strText.startsWith(QLatin1String("<?xml")))
        return strText;
    QString strRest = strText.mid(nFirstLineEnd + 1);
    if (!strRest.endsWith(QLatin1Char('\n')))
        strRest += QLatin1Char('\n');
    return strRest;
}

bool editDeviceDatabase(const QString &strFileName, const std::function<bool(QDomDocument)> &edit,
                        QString &strErroInfo, QString *pstrReason)
{
    QString strReason;
    try {
        const PinnedHashSeed seed;
        QDomDocument doc = loadDeviceDatabase(strFileName);
        // A save that did not happen (a full disk, say) is no success.
        if (!edit(doc) || saveDeviceDatabase(doc, strFileName, &strReason))
            return true;
    } catch (const FileError &error) {
        strReason = error.reason();
    } catch (const std::exception &) {
    }
    strErroInfo = JobMessages::databaseAccessFailed();
    if (pstrReason)
        *pstrReason = strReason;
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
