// Prints through the system's print server onto a PDF printer and reads the
// page it makes. Runs where scripts/setup-printer made that printer the
// default; skipped elsewhere, so that no paper is ever printed.
#include "PrintedPage.h"
#include "ProgramFolderFixture.h"
#include "WindowHarness.h"
#include "document/PrintCommand.h"
#include "platform/QtPrinter.h"

#include "output/PrintLayout.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QtTest>

namespace {

const QString Queue = QStringLiteral("VantorelPDF");

QString outputFolder()
{
    const QString set = qEnvironmentVariable("VANTOREL_PRINTER_OUT");
    return set.isEmpty() ? QStringLiteral("/tmp/vantorel-printer") : set;
}

// Runs a print-server command; false when it cannot be run or fails.
bool run(const QString &program, const QStringList &arguments, QString *output = nullptr)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return false;
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return true;
}

// The PDF files the printer has written, once its queue is empty.
QStringList printedFiles(int count)
{
    QDir out(outputFolder());
    QStringList files;
    const bool arrived = QTest::qWaitFor(
        [&] {
            QString pending;
            files = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
            return files.size() >= count && run("lpstat", {"-o", Queue}, &pending)
                   && pending.trimmed().isEmpty();
        },
        60000);
    return arrived ? files : QStringList();
}

// The corner of the printable area of the default printer's landscape page.
QPointF printableCorner()
{
    QPrinter printer(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    return printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
}

} // namespace

class TestPrintCups : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void printedPageShowsTheMap_data();
    void printedPageShowsTheMap();
    void refusedJobIsToldWithItsReason();

private:
    // Clicks "&Print" on a window whose editor prints through the real
    // printer; the scripted dialogs record any message.
    void printWithZone(int barValue, ScriptedDialogs *dialogs);
};

void TestPrintCups::initTestCase()
{
    if (QPrinterInfo::defaultPrinter().printerName() != Queue)
        QSKIP("No PDF printer VantorelPDF is the default printer: run scripts/setup-printer "
              "(as root) to print for real in this test.");
    if (!QDir(outputFolder()).exists())
        QSKIP("The PDF printer's output folder is missing: run scripts/setup-printer.");
}

void TestPrintCups::init()
{
    QDir out(outputFolder());
    for (const QString &file : out.entryList({QStringLiteral("*.pdf")}, QDir::Files))
        out.remove(file);
}

void TestPrintCups::printWithZone(int barValue, ScriptedDialogs *dialogs)
{
    ProgramFolderFixture folder;
    FakePlatform fake;
    QtPrinter printer;
    Editor editor(fake.platform(printer), folder.path());
    Form1 form(editor);
    QVERIFY(form.startUp());
    if (barValue)
        form.HScroll1->setValue(barValue);
    PrintedPage::commitPattern(editor);
    PrintedPage::drawPreviewAndFrame(editor);
    QTest::mouseClick(form.Command1, Qt::LeftButton);
    dialogs->messages = fake.dialogs.messages;
}

void TestPrintCups::printedPageShowsTheMap_data()
{
    QTest::addColumn<int>("barValue"); // 0: never used
    QTest::addColumn<double>("printWidth");
    QTest::addColumn<int>("printHeight");
    QTest::newRow("start-up zone") << 0 << 770.0 << 544;
    QTest::newRow("smallest zone") << 100 << 141.5 << 100;
}

void TestPrintCups::printedPageShowsTheMap()
{
    QFETCH(int, barValue);
    QFETCH(double, printWidth);
    QFETCH(int, printHeight);
    ScriptedDialogs told;
    printWithZone(barValue, &told);
    QVERIFY2(told.messages.isEmpty(), qPrintable(told.messages.value(0).text));

    const QStringList files = printedFiles(1);
    QCOMPARE(files.size(), 1);
    QString error;
    const QList<QImage> pages
        = PrintedPage::render(QDir(outputFolder()).filePath(files.first()), &error);
    QVERIFY2(!pages.isEmpty(), qPrintable(error));
    QCOMPARE(pages.size(), 1);
    const QRectF target = PrintLayout::targetTwips(printWidth, qint16(printHeight));
    const QString wrong = PrintedPage::check(pages.first(), printableCorner(), target);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void TestPrintCups::refusedJobIsToldWithItsReason()
{
    if (!run("cupsreject", {Queue}))
        QSKIP("The printer's queue cannot be made to refuse jobs here (needs root).");
    ScriptedDialogs told;
    printWithZone(0, &told);
    run("cupsaccept", {Queue});
    QCOMPARE(told.messages.size(), 1);
    QVERIFY2(told.messages.first().text.contains("refuse les travaux"),
             qPrintable(told.messages.first().text));
}

QTEST_MAIN(TestPrintCups)
#include "tst_print_cups.moc"
