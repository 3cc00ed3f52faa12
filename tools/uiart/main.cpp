// vantorel-make-uiart OUTDIR: paints the main window's artwork (the four tool button
// pictures, the title banner and the application icon) and writes it as PNG files.

#include "Artwork.h"
#include "PngWriter.h"

#include <QDir>
#include <QSaveFile>

#include <cstdio>
#include <functional>

namespace {

bool writePicture(const QDir &dir, const QString &name, const QImage &image)
{
    QSaveFile file(dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write(Png::encode(image)) < 0 || !file.commit()) {
        const QString path = QDir::toNativeSeparators(file.fileName());
        std::fprintf(stderr, "Cannot write %s:\n%s\n", qPrintable(path),
                     qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s OUTDIR\n", argv[0]);
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "Cannot create the folder %s\n", argv[1]);
        return 1;
    }

    const std::pair<QString, std::function<QImage()>> pictures[] = {
        {"select.png", uiart::paintSelectPicture},
        {"erase.png", [] { return uiart::paintErasePicture(32); }},
        {"erase16.png", [] { return uiart::paintErasePicture(16); }},
        {"move.png", uiart::paintMovePicture},
        {"undo.png", uiart::paintUndoPicture},
        {"banner.png", uiart::paintBanner},
        {"icon.png", [] { return uiart::paintIcon(256); }},
    };
    for (const auto &[name, paint] : pictures) {
        if (!writePicture(dir, name, paint()))
            return 1;
    }
    for (int size : {16, 32, 48, 64, 128, 256}) {
        if (!writePicture(dir, QStringLiteral("icon-%1.png").arg(size), uiart::paintIcon(size)))
            return 1;
    }
    return 0;
}
