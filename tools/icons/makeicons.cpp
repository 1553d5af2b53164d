// Draws the installer's two icons and writes them as Windows icon files:
//   qn58-makeicons <folder>
// writes <folder>/sandbox_shfXP.ico (the window icon: a chip taking a flash
// loader, 48, 32 and 16 pixels at 8 and at 32 bits per pixel, and 256 pixels
// at 32 bits per pixel) and
// <folder>/Kestri.ico (the progress icon: the vendor's kestrel wing, 16 to
// 256 pixels at 32 bits per pixel). Every image is an uncompressed bitmap,
// the form that every reader of icons understands.
//   qn58-makeicons --png <size> <file>
// writes the window icon at one size as a PNG file, for the desktop's icon theme.

#include <QByteArray>
#include <QColor>
#include <QDataStream>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVector>

#include <cstdio>

namespace {

struct IconImage {
    QImage image; // Format_ARGB32 or Format_Indexed8
};

// Drawn on a 256-unit square and scaled, so every size shows the same shape.
void drawChip(QPainter &painter)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x9a, 0xa4, 0xb0));
    for (int pin = 0; pin < 4; ++pin) {
        const qreal offset = 70 + pin * 36;
        painter.drawRect(QRectF(offset, 20, 16, 40));
        painter.drawRect(QRectF(offset, 196, 16, 40));
        painter.drawRect(QRectF(20, offset, 40, 16));
        painter.drawRect(QRectF(196, offset, 40, 16));
    }
    QLinearGradient body(0, 48, 0, 208);
    body.setColorAt(0, QColor(0x3a, 0x46, 0x57));
    body.setColorAt(1, QColor(0x1c, 0x24, 0x30));
    painter.setBrush(body);
    painter.drawRoundedRect(QRectF(48, 48, 160, 160), 20, 20);
    // The loader arrow, pointing into the chip.
    QPainterPath arrow;
    arrow.moveTo(108, 72);
    arrow.lineTo(148, 72);
    arrow.lineTo(148, 128);
    arrow.lineTo(176, 128);
    arrow.lineTo(128, 184);
    arrow.lineTo(80, 128);
    arrow.lineTo(108, 128);
    arrow.closeSubpath();
    painter.setBrush(QColor(0x3d, 0xc2, 0x6b));
    painter.drawPath(arrow);
}

void drawWing(QPainter &painter)
{
    QLinearGradient disc(0, 8, 0, 248);
    disc.setColorAt(0, QColor(0xf2, 0x9d, 0x38));
    disc.setColorAt(1, QColor(0xb8, 0x4a, 0x12));
    painter.setPen(Qt::NoPen);
    painter.setBrush(disc);
    painter.drawEllipse(QRectF(8, 8, 240, 240));
    // A kestrel's swept wing and tail, in white.
    QPainterPath wing;
    wing.moveTo(52, 150);
    wing.cubicTo(96, 96, 150, 70, 214, 62);
    wing.cubicTo(170, 92, 150, 112, 138, 138);
    wing.lineTo(196, 150);
    wing.cubicTo(150, 170, 112, 176, 84, 204);
    wing.lineTo(98, 162);
    wing.closeSubpath();
    painter.setBrush(QColor(0xff, 0xfb, 0xf4));
    painter.drawPath(wing);
}

QImage render(void (*draw)(QPainter &), int size)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 256.0, size / 256.0);
    draw(painter);
    painter.end();
    return image;
}

// A palette of 256 entries: the colours of the opaque pixels, and the
// transparent ones drawn as black behind the mask.
QImage toIndexed(const QImage &image)
{
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::black);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    painter.end();
    QImage indexed = opaque.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    QVector<QRgb> table = indexed.colorTable();
    table.resize(256);
    indexed.setColorTable(table);
    return indexed;
}

bool isTransparent(const QImage &original, int x, int y)
{
    return qAlpha(original.pixel(x, y)) < 128;
}

// The bitmap part of one icon image: header, colour table, pixels bottom-up,
// then the 1-bit transparency mask, every row padded to 4 bytes.
QByteArray bitmap(const QImage &image, const QImage &original)
{
    const int size = image.width();
    const int bitCount = image.depth() == 8 ? 8 : 32;
    const int maskRow = ((size + 31) / 32) * 4;
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(40) << qint32(size) << qint32(2 * size) << quint16(1) << quint16(bitCount)
        << quint32(0) << quint32(0) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    if (bitCount == 8) {
        for (QRgb colour : image.colorTable())
            out << quint8(qBlue(colour)) << quint8(qGreen(colour)) << quint8(qRed(colour))
                << quint8(0);
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; ++x) {
            if (bitCount == 8) {
                out << quint8(image.pixelIndex(x, y));
            } else {
                const QRgb pixel = image.pixel(x, y);
                out << quint8(qBlue(pixel)) << quint8(qGreen(pixel)) << quint8(qRed(pixel))
                    << quint8(qAlpha(pixel));
            }
        }
    }
    for (int y = size - 1; y >= 0; --y) {
        QByteArray row(maskRow, '\0');
        for (int x = 0; x < size; ++x) {
            if (isTransparent(original, x, y))
                row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        out.writeRawData(row.constData(), row.size());
    }
    return data;
}

bool writeIcon(const QString &fileName, const QVector<QImage> &images,
               const QVector<QImage> &originals)
{
    QVector<QByteArray> bitmaps;
    for (int i = 0; i < images.size(); ++i)
        bitmaps.append(bitmap(images.at(i), originals.at(i)));
    QByteArray data;
    QDataStream out(&data, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size());
    quint32 offset = 6 + 16 * images.size();
    for (int i = 0; i < images.size(); ++i) {
        const QImage &image = images.at(i);
        // A width or height of 256 is written as 0; so is a 256-colour count.
        out << quint8(image.width() & 0xff) << quint8(image.height() & 0xff) << quint8(0)
            << quint8(0) << quint16(1) << quint16(image.depth() == 8 ? 8 : 32)
            << quint32(bitmaps.at(i).size()) << offset;
        offset += bitmaps.at(i).size();
    }
    for (const QByteArray &bitmap : bitmaps)
        out.writeRawData(bitmap.constData(), bitmap.size());
    QFile file(fileName);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

bool writePng(const char *sizeArgument, const char *fileArgument)
{
    const int size = QByteArray(sizeArgument).toInt();
    return size > 0
        && render(drawChip, size).save(QString::fromLocal8Bit(fileArgument), "PNG");
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--png") == 0) {
        if (writePng(argv[2], argv[3]))
            return 0;
        std::fprintf(stderr, "cannot write the icon %s at size %s\n", argv[3], argv[2]);
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder> | --png <size> <file>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);

    QVector<QImage> windowImages;
    QVector<QImage> windowOriginals;
    for (int bits : {8, 32}) {
        for (int size : {48, 32, 16}) {
            const QImage image = render(drawChip, size);
            windowImages.append(bits == 8 ? toIndexed(image) : image);
            windowOriginals.append(image);
        }
    }
    // Explorer's large views show the 256-pixel image.
    windowImages.append(render(drawChip, 256));
    windowOriginals.append(windowImages.last());

    QVector<QImage> progressImages;
    for (int size : {16, 32, 48, 64, 128, 256})
        progressImages.append(render(drawWing, size));

    if (!writeIcon(folder + QStringLiteral("/sandbox_shfXP.ico"), windowImages, windowOriginals)
        || !writeIcon(folder + QStringLiteral("/Kestri.ico"), progressImages, progressImages)) {
        std::fprintf(stderr, "cannot write the icons into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
