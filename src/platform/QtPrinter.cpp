#include "QtPrinter.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

bool QtPrinter::hasDefaultPrinter() const { return !QPrinterInfo::defaultPrinter().isNull(); }

bool QtPrinter::printLandscape(const QImage &picture, const QRectF &targetTwips, QString *error)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        if (error)
            *error = QStringLiteral("aucune imprimante par défaut");
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("l'impression n'a pas pu commencer");
        return false;
    }
    // The painter's origin is the top-left corner of the printable area.
    const double perTwip = printer.resolution() / 1440.0;
    const QRectF target(targetTwips.x() * perTwip, targetTwips.y() * perTwip,
                        targetTwips.width() * perTwip, targetTwips.height() * perTwip);
    painter.drawImage(target, picture);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        if (error)
            *error = QStringLiteral("l'impression a échoué");
        return false;
    }
    return true;
}
