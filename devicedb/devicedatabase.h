#ifndef DEVICEDATABASE_H
#define DEVICEDATABASE_H

#include <QDomDocument>
#include <QString>

QString deviceDatabasePath(const QString &strJLinkPath);

// Throws std::runtime_error when the file is not a plain file, cannot be
// opened for reading and writing, is not a well-formed document or declares
// entities (which could expand without bound), so that no caller ever saves
// an empty or partial tree over a database it could not read.
QDomDocument loadDeviceDatabase(QString strFileName);
bool saveDeviceDatabase(QDomDocument doc, QString strFileName);
void removeXmlDeclaration(QString strFileName);
bool createDeviceDatabase(QString strFileName);
void makeFileWritable(QString strFileName);

#endif
