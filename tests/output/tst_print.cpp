#include "EditorHarness.h"
#include "NoPrintServer.h"
#include "PrintedPage.h"
#include "WindowHarness.h"
#include "document/PrintCommand.h"
#include "document/PrintZone.h"
#include "platform/QtPrinter.h"

#include "output/PrintLayout.h"

#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

class TestPrint : public QObject
{
    Q_OBJECT

    // No test of this file can reach a real printer.
    NoPrintServer noPrintServer_;

private slots:
    void targetRectangle_data();
    void targetRectangle();
    void smallestZonePrintsAboutFiveTimesLarger();
    void printedStaleBoardAfterErase();
    void printButtonPrintsTheZone();
    void noDefaultPrinterIsToldAndEditingGoesOn();
    void failedJobIsToldWithItsReason();
    void pdfPageShowsTheMapAtTheZoneScale_data();
    void pdfPageShowsTheMapAtTheZoneScale();
    void qtPrinterWithoutPrintServerFindsNoPrinter();
};

void TestPrint::targetRectangle_data()
{
    QTest::addColumn<double>("printWidth");
    QTest::addColumn<int>("printHeight");
    QTest::addColumn<double>("width");
    QTest::addColumn<double>("height");
    QTest::newRow("start-up zone") << 770.0 << 544 << 16226.18 << 11020.22;
    QTest::newRow("bar back at 544") << 769.76 << 544 << 16231.24 << 11020.22;
    QTest::newRow("bar at 100") << 141.5 << 100 << 88297.95 << 59950.0;
}

void TestPrint::targetRectangle()
{
    QFETCH(double, printWidth);
    QFETCH(int, printHeight);
    QFETCH(double, width);
    QFETCH(double, height);
    const QRectF target = PrintLayout::targetTwips(printWidth, qint16(printHeight));
    QCOMPARE(target.topLeft(), QPointF(20, 20));
    QVERIFY2(qAbs(target.width() - width) < 0.01, qPrintable(QString::number(target.width())));
    QVERIFY2(qAbs(target.height() - height) < 0.01, qPrintable(QString::number(target.height())));
}

void TestPrint::smallestZonePrintsAboutFiveTimesLarger()
{
    EditorHarness h;
    PrintZone zone(h.editor);
    zone.setValue(544);
    const QRectF full = PrintLayout::targetTwips(h.state().PrintWidth, h.state().PrintHeight);
    zone.setValue(100);
    const QRectF smallest = PrintLayout::targetTwips(h.state().PrintWidth, h.state().PrintHeight);
    QVERIFY(qAbs(smallest.width() / full.width() - 5.44) < 0.005);
    QVERIFY(qAbs(smallest.height() / full.height() - 5.44) < 0.005);
}

void TestPrint::printedStaleBoardAfterErase()
{
    EditorHarness h;
    h.move(100, 100);
    PrintedPage::commitPattern(h.editor);

    QVERIFY(PrintCommand(h.editor).run());
    QCOMPARE(h.fake.printer.jobs.size(), 1);
    QCOMPARE(h.fake.printer.jobs.first().picture, h.editor.board().map());
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestPrint::printButtonPrintsTheZone()
{
    WindowHarness w;
    QVERIFY(w.started);
    w.window.HScroll1->setValue(100);
    const EditorState before = w.editor.state();
    const QImage displayed = w.editor.board().displayed().copy();

    QTest::mouseClick(w.window.Command1, Qt::LeftButton);
    QCOMPARE(w.fake.printer.jobs.size(), 1);
    QCOMPARE(w.fake.printer.jobs.first().targetTwips, PrintLayout::targetTwips(141.5, 100));
    // Printing changes nothing on the board nor in the state.
    QCOMPARE(w.editor.board().displayed(), displayed);
    QCOMPARE(w.editor.state().PrintWidth, before.PrintWidth);
    QCOMPARE(w.editor.state().Mode, before.Mode);
}

void TestPrint::noDefaultPrinterIsToldAndEditingGoesOn()
{
    EditorHarness h;
    h.fake.printer.present = false;
    QVERIFY(!PrintCommand(h.editor).run());
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message told = h.fake.dialogs.messages.first();
    QVERIFY(told.text.contains("Aucune imprimante par défaut"));
    QCOMPARE(told.icon, Dialogs::Icon::Exclamation);

    h.stamp(130, 130);
    QCOMPARE(h.editor.board().map(), h.editor.board().displayed());
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
}

void TestPrint::failedJobIsToldWithItsReason()
{
    EditorHarness h;
    h.fake.printer.succeeds = false;
    QVERIFY(!PrintCommand(h.editor).run());
    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    QVERIFY(h.fake.dialogs.messages.first().text.contains("a échoué"));
    QVERIFY(h.fake.dialogs.messages.first().text.contains("échec de l'impression"));
}

void TestPrint::pdfPageShowsTheMapAtTheZoneScale_data()
{
    QTest::addColumn<int>("barValue"); // 0: the bar never used
    QTest::newRow("start-up zone") << 0;
    QTest::newRow("smallest zone") << 100;
}

void TestPrint::pdfPageShowsTheMapAtTheZoneScale()
{
    QFETCH(int, barValue);
    QTemporaryDir out;
    QtPrinter printer;
    const QString pdf = out.filePath("carte imprimée.pdf");
    printer.setPdfFile(pdf);
    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor(fake.platform(printer), folder.path());
    QVERIFY(editor.startUp());
    if (barValue)
        PrintZone(editor).setValue(barValue);
    PrintedPage::commitPattern(editor);
    PrintedPage::drawPreviewAndFrame(editor);

    QVERIFY(PrintCommand(editor).run());
    QVERIFY(fake.dialogs.messages.isEmpty());
    QString error;
    const QList<QImage> pages = PrintedPage::render(pdf, &error);
    if (pages.isEmpty() && error.startsWith("pdftoppm ("))
        QSKIP(qPrintable(error));
    QCOMPARE(pages.size(), 1);
    const QRectF target
        = PrintLayout::targetTwips(editor.state().PrintWidth, editor.state().PrintHeight);
    const double margin = QtPrinter::PdfMargin;
    const QString wrong = PrintedPage::check(pages.first(), QPointF(margin, margin), target);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

void TestPrint::qtPrinterWithoutPrintServerFindsNoPrinter()
{
    QtPrinter printer;
    QVERIFY(!printer.hasDefaultPrinter());
    QString reason;
    QVERIFY(!printer.printLandscape(BoardModel::whiteBoard(), QRectF(20, 20, 100, 100), &reason));
    QCOMPARE(reason, QStringLiteral("aucune imprimante par défaut"));

    ProgramFolderFixture folder;
    FakePlatform fake;
    Editor editor(fake.platform(printer), folder.path());
    QVERIFY(editor.startUp());
    QVERIFY(!PrintCommand(editor).run());
    QCOMPARE(fake.dialogs.messages.size(), 1);
    QVERIFY(fake.dialogs.messages.first().text.contains("Aucune imprimante par défaut"));
}

QTEST_MAIN(TestPrint)
#include "tst_print.moc"
