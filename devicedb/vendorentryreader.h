#ifndef VENDORENTRYREADER_H
#define VENDORENTRYREADER_H

#include <QByteArray>
#include <QString>
#include <QVector>

// One of the vendor's entries as read: the device its ChipInfo names, and
// its content in a form that is equal for two entries exactly when their
// trees are, the order of attributes aside.
struct ReadEntry
{
    QString strDevice;
    QString strContent;
};

// The vendor's entries of a database's content, in document order, read
// once with the stream reader as the tree's load reads it, without building
// the tree. False where the reader stops, at nLine and nColumn (from 0).
bool readVendorEntries(const QByteArray &content, QVector<ReadEntry> &entries, qint64 &nLine,
                       qint64 &nColumn);

#endif
