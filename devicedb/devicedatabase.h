#ifndef DEVICEDATABASE_H
#define DEVICEDATABASE_H

#include "failurereason.h"
#include "vendorentryreader.h"

#include <QDomDocument>
#include <QString>

#include <functional>
#include <stdexcept>

// What a file helper throws: what() names the file for the log, reason()
// says why in a user's words ("permission denied") and which file.
class FileError : public std::runtime_error
{
public:
    FileError(const QString &strMessage, const Reason &reason);
    Reason reason() const { return m_reason; }

private:
    Reason m_reason;
};

// A check only reads; the job also opens for writing, so that a database it
// could not save is not loaded either.
enum class DatabaseAccess { ReadWrite, ReadOnly };

QString deviceDatabasePath(const QString &strJLinkPath);

// Throws FileError when the file is not a plain file, cannot be opened (for
// reading and writing, unless access says otherwise), is not a well-formed document (a byte its
// encoding does not allow included) or declares entities (which could expand
// without bound), so that no caller ever saves an empty or partial tree over
// a database it could not read whole.
QDomDocument loadDeviceDatabase(QString strFileName,
                                DatabaseAccess access = DatabaseAccess::ReadWrite);
// The same for a file's content already read.
QDomDocument parseDeviceDatabase(const QByteArray &content, const QString &strFileName);
// The vendor's entries of the file, opened for reading only, refused as a
// load refuses it, and read once without building the tree.
QVector<ReadEntry> loadVendorEntries(const QString &strFileName);
// The bundle's template as a document: what a missing database starts from.
QDomDocument loadDatabaseTemplate();
// The text a save writes: UTF-8, two spaces of indentation, no declaration.
QByteArray databaseText(const QDomDocument &doc);
// The text of parent's children as a save writes them below the document element.
QByteArray childrenText(const QDomElement &parent);
// Replaces the file whole, or makes it; a replacement keeps the old file's
// permissions and, as far as the process may set them, its owner and group.
// Text the load would refuse is not written. On failure, pReason says why.
bool saveDeviceDatabase(QDomDocument doc, QString strFileName, Reason *pReason = nullptr);
bool saveDatabaseText(const QByteArray &text, const QString &strFileName,
                      Reason *pReason = nullptr);
// Nothing but the bare document element: no entry, no other element, no
// comment, no attribute, only line ends and indentation.
bool holdsNothing(const QDomDocument &doc);
// Drops the first line of the writer's text when it is an XML declaration
// and more lines follow; every line then ends with a line end.
void removeXmlDeclaration(QByteArray &text);
// The same change as an edit of the tree followed by its save, made from the
// file's content straight to the text to save.
enum class TextEditResult { Edited, Unchanged, LeftToTree };
using TextEdit = std::function<TextEditResult(const QByteArray &content, QByteArray &text)>;

// One change of a database file: loads it whole, applies edit, and saves it
// when edit returns true. textEdit, when given, is tried first, on content
// the load accepts without a document type. A file that cannot be read whole
// is never saved over. On failure strErroInfo gets the job's message, and
// pReason, when given, why.
bool editDeviceDatabase(const QString &strFileName, const std::function<bool(QDomDocument)> &edit,
                        QString &strErroInfo, Reason *pReason,
                        const TextEdit &textEdit = TextEdit());

bool createDeviceDatabase(QString strFileName);
void makeFileWritable(QString strFileName);
// The bundle's template of an empty database.
inline QString databaseTemplate() { return QStringLiteral(":/JLinkDevices.xml"); }

#endif
