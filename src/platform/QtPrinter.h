#pragma once

#include "Printer.h"

// The system's default printer through Qt's print support.
class QtPrinter : public Printer
{
public:
    bool hasDefaultPrinter() const override;
    bool printLandscape(const QImage &picture, const QRectF &targetTwips,
                        QString *error) override;
};
