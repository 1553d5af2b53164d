#include "devicedatabase.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTextStream>
#include <QXmlStreamReader>

#include <stdexcept>

namespace {

const char *const textCodec = "UTF-8";

[[noreturn]] void throwFileError(const QString &strWhat, const QString &strFileName,
                                 const QString &strReason)
{
    qDebug().noquote() << strWhat + strFileName << "(" << strReason << ")";
    const QString strMessage = strWhat + strFileName + QLatin1Char('(') + strReason + QLatin1Char(')');
    throw std::runtime_error(strMessage.toLatin1().toStdString());
}

// Entities can make a small file expand without bound (one entity used many
// times defeats the parser's limit per entity); J-Link's databases use none.
bool declaresEntities(const QByteArray &content)
{
    QXmlStreamReader reader(content);
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD)
            return !reader.entityDeclarations().isEmpty();
        if (token == QXmlStreamReader::StartElement)
            return false;
    }
    return false;
}

// Writes the file anew beside the old one and then replaces it, so that at
// every instant the path holds either the old or the new complete content.
bool replaceFile(const QString &strFileName, const QByteArray &content)
{
    QSaveFile file(strFileName);
    // A folder that takes no new file still lets a writable file be written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        qDebug() << "open file error";
        return false;
    }
    // A write that stops short (a full disk) reports no error, and commit()
    // would put the cut-off file in place of the old one.
    if (file.write(content) != content.size() || !file.flush())
        file.cancelWriting();
    if (!file.commit()) {
        qDebug() << "write file error" << file.errorString();
        return false;
    }
    return true;
}

QFileDevice::Permissions writablePermissions()
{
#ifdef Q_OS_WIN
    // Clears the read-only attribute that a copy out of the resources carries.
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::WriteGroup
        | QFileDevice::ReadOther | QFileDevice::WriteOther;
#else
    // Files that every local user could write would let anyone point J-Link
    // at loaders and scripts of their own.
    return QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser
        | QFileDevice::WriteUser | QFileDevice::ReadGroup | QFileDevice::ReadOther;
#endif
}

} // namespace

QString deviceDatabasePath(const QString &strJLinkPath)
{
    return strJLinkPath + QLatin1Char('/') + QStringLiteral("JLinkDevices.xml");
}

QDomDocument loadDeviceDatabase(QString strFileName)
{
    // A FIFO would never end and a device never holds a database.
    if (!QFileInfo(strFileName).isFile())
        throwFileError(QStringLiteral("Failed to open file: "), strFileName,
                       QStringLiteral("not a plain file"));
    // Read and write, so that a database that could not be saved is not loaded either.
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Text))
        throwFileError(QStringLiteral("Failed to open file: "), strFileName, file.errorString());
    const QByteArray content = file.readAll();
    file.close();

    if (declaresEntities(content))
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName,
                       QStringLiteral("entity declarations are not accepted"));
    QDomDocument doc;
    QString strError;
    int nLine = 0;
    int nColumn = 0;
    if (!doc.setContent(content, false, &strError, &nLine, &nColumn))
        throwFileError(QStringLiteral("Failed to parse file: "), strFileName,
                       QStringLiteral("%1:%2: %3").arg(nLine).arg(nColumn).arg(strError));
    return doc;
}

bool saveDeviceDatabase(QDomDocument doc, QString strFileName)
{
    // The DOM writes attributes in the order of its hash table; a fixed seed
    // gives the same order on every run.
    qSetGlobalQHashSeed(100);
    QString strText;
    QTextStream stream(&strText);
    stream.setCodec(textCodec);
    doc.save(stream, 2, QDomNode::EncodingFromTextStream);
    stream.flush();
    qSetGlobalQHashSeed(-1);
    // The declaration goes before the file is written, so that a save writes
    // and syncs the database once.
    return replaceFile(strFileName, removeXmlDeclaration(strText).toUtf8());
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
        throwFileError(QStringLiteral("Failed to open file: "), strFileName, file.errorString());
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
