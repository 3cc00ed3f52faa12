#pragma once

#include <QImage>
#include <QPageLayout>
#include <QRectF>
#include <QString>

class QPainter;

// The system's default printer.
class Printer
{
public:
    // Margins of a page printed into a PDF document, in points.
    static constexpr double PdfMargin = 10;
    // The page a PDF document gets: A4, landscape, with those margins.
    static QPageLayout pdfPage();

    virtual ~Printer() = default;

    virtual bool hasDefaultPrinter() const = 0;

    // Prints one landscape page with the picture stretched into the target
    // rectangle, given in twips (1/1440 inch) from the top-left corner of the
    // printable area. On failure returns false with the reason in *error.
    virtual bool printLandscape(const QImage &picture, const QRectF &targetTwips, QString *error)
        = 0;

    // Draws the page's picture as every printed or exported page shows it:
    // stretched into the target, pixels kept sharp and lossless. The
    // painter's origin is the printable area's corner, at this resolution.
    static void drawPage(QPainter &painter, double dotsPerInch, const QImage &picture,
                         const QRectF &targetTwips);
};
