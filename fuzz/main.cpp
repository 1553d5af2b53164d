// Any bytes as J-Link's database, through the job's edit of it. The job
// either refuses them and leaves the file as it was, or saves a file that
// loads again and that a second run leaves byte for byte as it is. Where the
// load accepts them, the edit made on the text writes what the tree's does.

#include "databaseupdate.h"
#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace {

QByteArray readAll(const QString &strFileName)
{
    QFile file(strFileName);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

[[noreturn]] void violated(const char *pszWhat, const QString &strReason = QString())
{
    std::fprintf(stderr, "%s%s%s\n", pszWhat, strReason.isEmpty() ? "" : ": ",
                 qUtf8Printable(strReason));
    std::abort();
}

// The job's whole database edit: 0, or the code of the step that refused.
int updateDevices(const QString &strJLinkPath, QString &strReason)
{
    QString strErroInfo;
    Reason reason;
    const int nResult = JLinkAddQN58MCU::updateDevices(strJLinkPath, strErroInfo, &reason);
    strReason = reason.text();
    return nResult;
}

// Both ways of the job's edit on the same content.
void compareTextEditWithTree(const QByteArray &input)
{
    QDomDocument doc;
    try {
        doc = parseDeviceDatabase(input, QStringLiteral("input"));
    } catch (const FileError &) {
        return;
    }
    replaceVendorEntries(doc);
    QByteArray text;
    if (replaceVendorEntriesInText(input, text) && text != databaseText(doc))
        violated("the edit on the text writes other bytes than the tree's");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    // One folder for every input: the job leaves nothing in it but the database.
    static const QTemporaryDir folder;
    const QString strDatabase = deviceDatabasePath(folder.path());
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     static_cast<int>(size));
    {
        QFile file(strDatabase);
        if (!file.open(QIODevice::WriteOnly) || file.write(input) != input.size())
            violated("the input could not be written", file.errorString());
    }

    compareTextEditWithTree(input);
    QString strReason;
    if (updateDevices(folder.path(), strReason) != 0) {
        if (readAll(strDatabase) != input)
            violated("refused, but the database changed", strReason);
        return 0;
    }
    const QByteArray saved = readAll(strDatabase);
    // The second run loads the saved file; only when it fails does the
    // load say why.
    if (updateDevices(folder.path(), strReason) != 0) {
        try {
            loadDeviceDatabase(strDatabase);
        } catch (const FileError &error) {
            violated("the saved database does not load again", QString::fromLocal8Bit(error.what()));
        }
        violated("a second run refused the saved database", strReason);
    }
    if (readAll(strDatabase) != saved)
        violated("a second run changed the saved database");
    return 0;
}
