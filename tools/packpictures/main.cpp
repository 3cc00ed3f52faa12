// vantorel-pack-pictures OUT IN...: packs the window's pictures into one file
// of plain pixels that the editor uses straight from its resources, so that
// start-up reads no image file and loads no image decoder. Each picture keeps
// the pixels and the format Qt's reader gives it, alpha included.
//
// Layout, little-endian: "VPPK", the entry count, then for each entry the
// length of its file name, its width, height and QImage format (32 bits
// each), the name padded with zeros to a multiple of 4 bytes, and its
// width x height pixels of 32 bits, top row first.

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QtEndian>

#include <cstdio>

namespace {

void word(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), sizeof le);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: vantorel-pack-pictures OUT picture.png...\n");
        return 2;
    }
    QByteArray out("VPPK");
    word(out, quint32(argc - 2));
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        QImage image(path);
        if (image.isNull()) {
            std::fprintf(stderr, "vantorel-pack-pictures: cannot read %s\n", argv[i]);
            return 1;
        }
        image = image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32
                                                              : QImage::Format_RGB32);
        const QByteArray name = QFileInfo(path).fileName().toUtf8();
        word(out, quint32(name.size()));
        word(out, quint32(image.width()));
        word(out, quint32(image.height()));
        word(out, quint32(image.format()));
        out.append(name);
        out.append((4 - name.size() % 4) % 4, '\0');
        for (int y = 0; y < image.height(); ++y)
            out.append(reinterpret_cast<const char *>(image.constScanLine(y)),
                       qsizetype(image.width()) * 4);
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush()) {
        std::fprintf(stderr, "vantorel-pack-pictures: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
