#include "MapExport.h"

#include "platform/Files.h"
#include "platform/Printer.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <functional>

namespace {

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Writes the bytes that fill() puts into a buffer through a save file, which
// replaces the file only once everything is on disk.
bool writeWhole(const QString &path, const std::function<bool(QIODevice &)> &fill, QString *error)
{
    if (Files::isReadOnly(path)) {
        setError(error, Files::readOnlyError());
        return false;
    }
    QBuffer bytes;
    bytes.open(QIODevice::WriteOnly);
    if (!fill(bytes)) {
        setError(error, QStringLiteral("le contenu du fichier n'a pas pu être produit"));
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data()) != bytes.data().size()
        || !file.commit()) {
        setError(error, Files::errorInFrench(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

QImage MapExport::scaled(const QImage &map, int scale)
{
    return map.convertToFormat(QImage::Format_RGB32)
        .scaled(map.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

bool MapExport::writePng(const QString &path, const QImage &picture, QString *error)
{
    return writeWhole(
        path, [&](QIODevice &device) { return picture.save(&device, "PNG"); }, error);
}

bool MapExport::writePdf(const QString &path, const QImage &picture, const QRectF &targetTwips,
                         QString *error)
{
    return writeWhole(
        path,
        [&](QIODevice &device) {
            QPdfWriter pdf(&device);
            pdf.setCreator(QStringLiteral("Vantorel Editor"));
            pdf.setPageLayout(Printer::pdfPage());
            QPainter painter;
            if (!painter.begin(&pdf))
                return false;
            Printer::drawPage(painter, pdf.resolution(), picture, targetTwips);
            return painter.end();
        },
        error);
}
