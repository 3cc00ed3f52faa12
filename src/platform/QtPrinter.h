#pragma once

#include "Printer.h"

// The system's default printer through Qt's print support. Where the print
// spooler's command "lp" is at hand, the page is made into a PDF document and
// handed to it, so that a job the print server refuses is reported, not lost.
class QtPrinter : public Printer
{
public:
    bool hasDefaultPrinter() const override;
    bool printLandscape(const QImage &picture, const QRectF &targetTwips, QString *error) override;

    // Prints into this PDF file, on an A4 page, instead of on the default
    // printer; an empty path prints on the printer again.
    void setPdfFile(const QString &path) { pdfFile_ = path; }

private:
    QString pdfFile_;
};
