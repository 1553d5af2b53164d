#include "devicedatabase.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>
#include <QXmlStreamReader>

#include <functional>
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
// QSaveFile refuses an existing file that may not be written, although its
// folder would let a new file take its place.
bool replaceFile(const QString &strFileName, bool bReportFailure,
                 const std::function<void(QTextStream &)> &write)
{
    QSaveFile file(strFileName);
    // A folder that takes no new file still lets a writable file be written in place.
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        if (bReportFailure)
            qDebug() << "open file error";
        return false;
    }
    QTextStream stream(&file);
    stream.setCodec(textCodec);
    write(stream);
    stream.flush();
    // commit() writes what is still buffered without noticing a failure
    // (a full disk), and would put a cut-off file in place of the old one.
    if (stream.status() != QTextStream::Ok || !file.flush())
        file.cancelWriting();
    if (!file.commit()) {
        if (bReportFailure)
            qDebug() << "write file error" << file.errorString();
        return false;
    }
    return true;
}

QStringList readLines(const QString &strFileName)
{
    QStringList lines;
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    QTextStream stream(&file);
    stream.setCodec(textCodec);
    while (!stream.atEnd())
        lines << stream.readLine();
    return lines;
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
    const bool bSaved = replaceFile(strFileName, true, [&doc](QTextStream &stream) {
        doc.save(stream, 2, QDomNode::EncodingFromTextStream);
    });
    qSetGlobalQHashSeed(-1);
    if (!bSaved)
        return false;
    removeXmlDeclaration(strFileName);
    return true;
}

void removeXmlDeclaration(QString strFileName)
{
    const QStringList lines = readLines(strFileName);
    if (lines.size() < 2 || !lines.first().startsWith(QLatin1String("<?xml")))
        return;
    replaceFile(strFileName, false, [&lines](QTextStream &stream) {
        for (int i = 1; i < lines.size(); ++i)
            stream << lines.at(i) << '\n';
    });
}

bool createDeviceDatabase(QString strFileName)
{
    // QFile::copy does not overwrite.
    if (QFile::exists(strFileName))
        QFile::remove(strFileName);
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
