// vantorel-pack-tiles OUT IN...: packs tile pictures into one file of plain
// pixels that the editor maps straight from its resources, so start-up
// decodes no picture. Each input is named tile_NN.png after its index.
//
// Layout, little-endian: "VTPK", the entry count, then for each entry its
// index, width and height (32 bits each, one word of padding) followed by
// width x height pixels of 32 bits (0xffRRGGBB).

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QRegularExpression>
#include <QtEndian>

#include <cstdio>

namespace {

void put32(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: vantorel-pack-tiles OUT tile_NN.png...\n");
        return 2;
    }
    QByteArray out("VTPK");
    put32(out, quint32(argc - 2));
    const QRegularExpression name(QStringLiteral("^tile_(\\d+)\\.png$"));
    for (int i = 2; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        const QRegularExpressionMatch match = name.match(QFileInfo(path).fileName());
        const QImage image = QImage(path).convertToFormat(QImage::Format_RGB32);
        if (!match.hasMatch() || image.isNull()) {
            std::fprintf(stderr, "vantorel-pack-tiles: cannot read %s\n", argv[i]);
            return 1;
        }
        put32(out, match.captured(1).toUInt());
        put32(out, quint32(image.width()));
        put32(out, quint32(image.height()));
        put32(out, 0);
        for (int y = 0; y < image.height(); ++y) {
            const auto *row = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                put32(out, row[x] | 0xff000000u);
        }
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size() || !file.flush()) {
        std::fprintf(stderr, "vantorel-pack-tiles: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
