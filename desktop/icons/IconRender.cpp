// Build tool: renders the 32 x 32 icon at whole multiples of its size, each
// pixel becoming a square block, so that every size is the same picture.
//   icon-render source.xpm output-dir
// writes <size>.png for 32, 64, 128 and 256, and marrowvale.ico.
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

void put16(std::vector<std::uint8_t>& out, unsigned value)
{
    out.push_back(value & 0xFF);
    out.push_back((value >> 8) & 0xFF);
}

void put32(std::vector<std::uint8_t>& out, unsigned value)
{
    put16(out, value & 0xFFFF);
    put16(out, value >> 16);
}

// A Windows icon holding the picture as it is drawn: 32 x 32 pixels of 4
// bits each over its 16-colour palette. (Qt's own writer would store 32-bit
// colour.) Rows run bottom-up; the AND mask is all zero, as the picture is
// opaque.
bool writeSixteenColourIcon(const QImage& picture, const QString& path)
{
    const QImage indexed = picture.format() == QImage::Format_Indexed8 ? picture
                                                                      : picture.convertToFormat(QImage::Format_Indexed8);
    const QList<QRgb> palette = indexed.colorTable();
    if (palette.size() > 16)
        return false;
    constexpr unsigned Side = 32, ColourBytes = Side * Side / 2, MaskBytes = Side * Side / 8;
    constexpr unsigned ImageBytes = 40 + 16 * 4 + ColourBytes + MaskBytes;

    std::vector<std::uint8_t> out;
    put16(out, 0); put16(out, 1); put16(out, 1);              // icon directory: one image
    out.insert(out.end(), {Side, Side, 16, 0});               // width, height, colours, reserved
    put16(out, 1); put16(out, 4);                             // planes, bits per pixel
    put32(out, ImageBytes); put32(out, 6 + 16);               // size and offset of the image
    put32(out, 40); put32(out, Side); put32(out, Side * 2);   // bitmap header; height counts the mask
    put16(out, 1); put16(out, 4);
    put32(out, 0); put32(out, ColourBytes + MaskBytes);
    put32(out, 0); put32(out, 0); put32(out, 16); put32(out, 0);
    for (int i = 0; i < 16; ++i) {
        const QRgb colour = i < palette.size() ? palette[i] : 0;
        out.insert(out.end(), {static_cast<std::uint8_t>(qBlue(colour)), static_cast<std::uint8_t>(qGreen(colour)),
                               static_cast<std::uint8_t>(qRed(colour)), 0});
    }
    for (int y = Side - 1; y >= 0; --y)
        for (unsigned x = 0; x < Side; x += 2)
            out.push_back(static_cast<std::uint8_t>(indexed.pixelIndex(x, y) << 4 | indexed.pixelIndex(x + 1, y)));
    out.insert(out.end(), MaskBytes, 0);

    QFile file(path);
    return file.open(QIODevice::WriteOnly)
           && file.write(reinterpret_cast<const char*>(out.data()), static_cast<qint64>(out.size()))
                  == static_cast<qint64>(out.size());
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: icon-render source.xpm output-dir\n");
        return 2;
    }
    const QImage icon(QString::fromLocal8Bit(argv[1]));
    if (icon.isNull() || icon.size() != QSize(32, 32)) {
        std::fprintf(stderr, "icon-render: %s is not a 32 x 32 image\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    for (int size : {32, 64, 128, 256}) {
        const QImage scaled = icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        if (!scaled.save(out.filePath(QStringLiteral("%1.png").arg(size)), "PNG"))
            return 1;
    }
    return writeSixteenColourIcon(icon, out.filePath(QStringLiteral("marrowvale.ico"))) ? 0 : 1;
}
