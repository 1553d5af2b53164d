#include "databasefixtures.h"
#include "devicedatabase.h"
#include "jlinkaddqn58mcu.h"

#include <QDomNamedNodeMap>
#include <QMap>
#include <QTemporaryDir>
#include <QTextCodec>

#include <exception>

const QByteArray templateDatabase("<DataBase>\r\n</DataBase>");

QString canonicalXml(const QDomNode &node)
{
    switch (node.nodeType()) {
    case QDomNode::ElementNode: {
        QMap<QString, QString> attributes;
        const QDomNamedNodeMap map = node.attributes();
        for (int i = 0; i < map.count(); ++i)
            attributes.insert(map.item(i).nodeName(), map.item(i).nodeValue());
        QString strText = QLatin1Char('<') + node.nodeName();
        for (auto it = attributes.cbegin(); it != attributes.cend(); ++it)
            strText += QLatin1Char(' ') + it.key() + QStringLiteral("=\"") + it.value() + QLatin1Char('"');
        strText += QLatin1Char('>');
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling())
            strText += canonicalXml(child);
        return strText + QStringLiteral("</") + node.nodeName() + QLatin1Char('>');
    }
    case QDomNode::CommentNode:
        return QStringLiteral("<!--") + node.nodeValue() + QStringLiteral("-->");
    case QDomNode::ProcessingInstructionNode:
        return QStringLiteral("<?") + node.nodeName() + QLatin1Char(' ') + node.nodeValue() + QStringLiteral("?>");
    case QDomNode::DocumentNode: {
        QString strText;
        for (QDomNode child = node.firstChild(); !child.isNull(); child = child.nextSibling()) {
            if (!(child.isProcessingInstruction() && child.nodeName() == QLatin1String("xml")))
                strText += canonicalXml(child);
        }
        return strText;
    }
    default:
        return node.nodeValue();
    }
}

QByteArray otherVendorsDatabase(int nEntries)
{
    QByteArray content = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<!-- Gerätedatenbank, © SEGGER -->\n"
                         "<Database>\n"
                         "<?vendor-tool keep=\"yes\"?>\n";
    for (int i = 0; i < nEntries; ++i) {
        const QByteArray number = QByteArray::number(i);
        content += "\t<Device>\n"
                   "\t\t<!-- Größe " + number + " -->\n"
                   "\t\t<ChipInfo Vendor=\"Nordström &amp; Søn\" Name=\"ÆØÅ-" + number
            + "\" Core=\"JLINK_CORE_CORTEX_M4\" WorkRAMAddr=\"0x20000000\"/>\n"
              "\t\t<FlashBankInfo Name=\"内部フラッシュ\" BaseAddr=\"0x0\" MaxSize=\"0x80000\"/>\n"
              "\t\t<Note>Ünïcödé text &amp; more</Note>\n"
              "\t</Device>\n";
    }
    return content + "</Database>\n";
}

QByteArray nestedEntities()
{
    QByteArray content = "<?xml version=\"1.0\"?>\n<!DOCTYPE DataBase [\n<!ENTITY e0 \"lol\">\n";
    for (int i = 1; i < 10; ++i) {
        content += "<!ENTITY e" + QByteArray::number(i) + " \"";
        for (int j = 0; j < 10; ++j)
            content += "&e" + QByteArray::number(i - 1) + ';';
        content += "\">\n";
    }
    return content + "]>\n<DataBase><Device><ChipInfo Vendor=\"&e9;\"/></Device></DataBase>\n";
}

QByteArray entryWith(const QByteArray &text, const QByteArray &eol)
{
    return "<DataBase>" + eol + "<Device>" + eol + "<ChipInfo Vendor=\"Nordström\" Name=\"" + text
        + "\"/>" + eol + "<Note>" + text + "</Note>" + eol + "</Device>" + eol + "</DataBase>" + eol;
}

QByteArray encoded(const char *codec, const QByteArray &utf8)
{
    const QString strText = QString::fromUtf8(utf8);
    QTextCodec::ConverterState state(QTextCodec::DefaultConversion); // writes the byte-order mark
    return QTextCodec::codecForName(codec)->fromUnicode(strText.constData(), strText.size(), &state);
}

QDomDocument loadXml(const QString &strFileName)
{
    QDomDocument doc;
    doc.setContent(readFile(strFileName));
    return doc;
}

QStringList entryVendors(const QString &strJLinkPath)
{
    QStringList vendors;
    const QDomElement root = loadXml(strJLinkPath + QStringLiteral("/JLinkDevices.xml")).documentElement();
    for (QDomElement device = root.firstChildElement(QStringLiteral("Device")); !device.isNull();
         device = device.nextSiblingElement(QStringLiteral("Device")))
        vendors << device.firstChildElement(QStringLiteral("ChipInfo")).attribute(QStringLiteral("Vendor"));
    return vendors;
}

int ourEntryCount(const QString &strJLinkPath)
{
    return entryVendors(strJLinkPath).count(QStringLiteral("Kestrilon"));
}

QDomDocument registeredCatalogue()
{
    QTemporaryDir dir;
    QString strErroInfo;
    if (!createDeviceDatabase(deviceDatabasePath(dir.path()))
        || !JLinkAddQN58MCU::registerDevices(dir.path(), strErroInfo))
        return QDomDocument();
    return loadXml(deviceDatabasePath(dir.path()));
}

VendorSplit splitVendorEntries(const QString &strFileName)
{
    VendorSplit split;
    QDomDocument doc;
    try {
        doc = loadDeviceDatabase(strFileName);
    } catch (const std::exception &) {
        return split;
    }
    split.nOurs = 0;
    QDomElement root = doc.documentElement();
    QDomElement device = root.firstChildElement(QStringLiteral("Device"));
    while (!device.isNull()) {
        const QDomElement next = device.nextSiblingElement(QStringLiteral("Device"));
        if (device.firstChildElement(QStringLiteral("ChipInfo")).attribute(QStringLiteral("Vendor"))
            == QLatin1String("Kestrilon")) {
            root.removeChild(device);
            ++split.nOurs;
        }
        device = next;
    }
    split.strOthers = canonicalXml(doc);
    return split;
}

QString loadRefusal(const QString &strFileName, DatabaseAccess access)
{
    try {
        loadDeviceDatabase(strFileName, access);
    } catch (const FileError &error) {
        return error.reason().text();
    }
    return QStringLiteral("loaded");
}
