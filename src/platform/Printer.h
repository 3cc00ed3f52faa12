#pragma once

#include <QImage>
#include <QRectF>
#include <QString>

// The system's default printer.
class Printer
{
public:
    virtual ~Printer() = default;

    virtual bool hasDefaultPrinter() const = 0;

    // Prints one landscape page with the picture stretched into the target
    // rectangle, given in twips (1/1440 inch) from the top-left corner of the
    // printable area. On failure returns false with the reason in *error.
    virtual bool printLandscape(const QImage &picture, const QRectF &targetTwips, QString *error)
        = 0;
};
