#include "QtPrinter.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

const QString DocumentName = QStringLiteral("Vantorel Editor");

void setError(QString *error, const QString &text)
{
    if (error)
        *error = text;
}

// Draws the picture stretched into the target on one page. The painter's
// origin is the top-left corner of the printable area.
bool paintPage(QPrinter &printer, const QImage &picture, const QRectF &targetTwips, QString *error)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        setError(error, QStringLiteral("l'impression n'a pas pu commencer"));
        return false;
    }
    Printer::drawPage(painter, printer.resolution(), picture, targetTwips);
    if (!painter.end() || printer.printerState() == QPrinter::Error) {
        setError(error, QStringLiteral("la page n'a pas pu être produite"));
        return false;
    }
    return true;
}

QString spoolCommand()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return QStandardPaths::findExecutable(QStringLiteral("lp"));
#else
    return {};
#endif
}

// The spooler's answer, worded in French when it is a common one.
QString spoolReason(const QString &printerName, const QString &answer)
{
    if (answer.contains(QLatin1String("not accepting"), Qt::CaseInsensitive))
        return QStringLiteral("l'imprimante « %1 » refuse les travaux d'impression")
            .arg(printerName);
    if (answer.contains(QLatin1String("does not exist"), Qt::CaseInsensitive))
        return QStringLiteral("l'imprimante « %1 » n'existe plus").arg(printerName);
    if (answer.contains(QLatin1String("scheduler is not running"), Qt::CaseInsensitive)
        || answer.contains(QLatin1String("unable to connect"), Qt::CaseInsensitive))
        return QStringLiteral("le serveur d'impression ne répond pas");
    if (answer.isEmpty())
        return QStringLiteral("le serveur d'impression a refusé le travail");
    return QStringLiteral("le serveur d'impression a refusé le travail (%1)").arg(answer);
}

bool spool(const QString &command, const QString &printerName, const QPageLayout &layout,
           const QString &document, QString *error)
{
    QProcess lp;
    lp.setProgram(command);
    lp.setArguments({QStringLiteral("-d"), printerName, QStringLiteral("-t"), DocumentName,
                     QStringLiteral("-o"), QStringLiteral("media=") + layout.pageSize().key(),
                     QStringLiteral("-o"), QStringLiteral("landscape"), document});
    lp.start();
    if (!lp.waitForStarted() || !lp.waitForFinished(60000)) {
        setError(error, QStringLiteral("la commande d'impression « lp » n'a pas abouti (%1)")
                            .arg(lp.errorString()));
        return false;
    }
    if (lp.exitStatus() != QProcess::NormalExit || lp.exitCode() != 0) {
        const QString answer = QString::fromLocal8Bit(lp.readAllStandardError()).trimmed();
        setError(error, spoolReason(printerName, answer));
        return false;
    }
    return true;
}

} // namespace

bool QtPrinter::hasDefaultPrinter() const
{
    return !pdfFile_.isEmpty() || !QPrinterInfo::defaultPrinter().isNull();
}

bool QtPrinter::printLandscape(const QImage &picture, const QRectF &targetTwips, QString *error)
{
    if (!pdfFile_.isEmpty()) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile_);
        printer.setDocName(DocumentName);
        printer.setPageLayout(pdfPage());
        return paintPage(printer, picture, targetTwips, error);
    }

    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull()) {
        setError(error, QStringLiteral("aucune imprimante par défaut"));
        return false;
    }
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setDocName(DocumentName);

    const QString command = spoolCommand();
    if (command.isEmpty())
        return paintPage(printer, picture, targetTwips, error);

    // The page, laid out for the printer, goes to a PDF document first.
    const QPageLayout layout = printer.pageLayout();
    QTemporaryDir folder;
    if (!folder.isValid()) {
        setError(error, QStringLiteral("aucun dossier temporaire pour préparer la page"));
        return false;
    }
    const QString document = folder.filePath(QStringLiteral("page.pdf"));
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(document);
    printer.setPageLayout(layout);
    return paintPage(printer, picture, targetTwips, error)
           && spool(command, info.printerName(), layout, document, error);
}
