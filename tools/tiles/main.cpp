// vantorel-make-tiles OUTDIR: draws the 97 tile pictures of the catalogue and
// writes them as OUTDIR/tile_01.png .. tile_97.png.

#include "PngWriter.h"
#include "TileArt.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTextStream>

#include <exception>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    const QStringList args = app.arguments();
    if (args.size() != 2) {
        err << "usage: vantorel-make-tiles OUTDIR\n";
        return 2;
    }
    const QDir out(args.at(1));
    if (!out.mkpath(QStringLiteral("."))) {
        err << "cannot create " << QDir::toNativeSeparators(out.path()) << '\n';
        return 1;
    }

    std::vector<QImage> pictures;
    try {
        pictures = TileArt::drawAll();
    } catch (const std::exception &e) {
        err << e.what() << '\n';
        return 1;
    }

    for (std::size_t index = 1; index < pictures.size(); ++index) {
        const QString name = QStringLiteral("tile_%1.png").arg(index, 2, 10, QLatin1Char('0'));
        QSaveFile file(out.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(Png::encode(pictures[index])) < 0
            || !file.commit()) {
            err << "cannot write " << QDir::toNativeSeparators(file.fileName()) << ": "
                << file.errorString() << '\n';
            return 1;
        }
    }
    return 0;
}
