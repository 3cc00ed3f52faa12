#include "Printer.h"

#include <QPainter>

QPageLayout Printer::pdfPage()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape,
                       QMarginsF(PdfMargin, PdfMargin, PdfMargin, PdfMargin));
}

void Printer::drawPage(QPainter &painter, double dotsPerInch, const QImage &picture,
                       const QRectF &targetTwips)
{
    // A map is sharp pixels: PDF pages keep them exact, not as lossy JPEG.
    painter.setRenderHint(QPainter::LosslessImageRendering);
    const double perTwip = dotsPerInch / 1440.0;
    painter.drawImage(QRectF(targetTwips.topLeft() * perTwip, targetTwips.size() * perTwip),
                      picture);
}
