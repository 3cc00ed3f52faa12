#include "EditorHarness.h"
#include "PrintedPage.h"
#include "document/ExportCommand.h"
#include "document/PrintZone.h"
#include "output/PrintLayout.h"
#include "platform/Files.h"
#include "platform/Printer.h"

#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Exporting the map as a picture or a PDF document, through scripted choices
// of scale and file.
class TestExport : public QObject
{
    Q_OBJECT

private slots:
    void pngIsTheMapEnlargedByNearestNeighbour_data();
    void pngIsTheMapEnlargedByNearestNeighbour();
    void saveDialogProposesTheProjectNameInTheLastFolder();
    void cancelledChoiceWritesNothing_data();
    void cancelledChoiceWritesNothing();
    void failedExportIsToldInFrenchAndKeepsTheOldFile_data();
    void failedExportIsToldInFrenchAndKeepsTheOldFile();
    void pdfIsOneLandscapePageAsPrinted();
};

void TestExport::pngIsTheMapEnlargedByNearestNeighbour_data()
{
    QTest::addColumn<int>("scale");
    for (int scale = 1; scale <= 4; ++scale)
        QTest::addRow("%d pixels a board pixel", scale) << scale;
}

void TestExport::pngIsTheMapEnlargedByNearestNeighbour()
{
    QFETCH(int, scale);
    EditorHarness h;
    h.pick(62);
    h.stamp(40, 60);
    h.pick(86);
    h.move(300, 200); // a preview, which no export shows
    QTemporaryDir out;
    h.fake.exports.scale = scale;
    h.fake.exports.file = out.filePath(QStringLiteral("Carte d'été")); // ".png" is added
    QVERIFY(ExportCommand(h.editor).exportImage());
    QCOMPARE(h.fake.exports.proposedScales, QList<int> {2});

    QImage png(out.filePath(QStringLiteral("Carte d'été.png")), "PNG");
    QCOMPARE(png.size(), QSize(Board::Width, Board::Height) * scale);
    png = png.convertToFormat(QImage::Format_RGB32);
    const QImage map = h.editor.board().map().convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < png.height(); ++y)
        for (int x = 0; x < png.width(); ++x)
            if (png.pixel(x, y) != map.pixel(x / scale, y / scale))
                QFAIL(qPrintable(QStringLiteral("pixel %1, %2").arg(x).arg(y)));
}

void TestExport::saveDialogProposesTheProjectNameInTheLastFolder()
{
    EditorHarness h;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    QTemporaryDir out;
    h.fake.exports.file = out.filePath(QStringLiteral("plan.PNG"));
    QVERIFY(ExportCommand(h.editor).exportImage());
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("plan.PNG"))));
    h.fake.exports.file = out.filePath(QStringLiteral("plan"));
    QVERIFY(ExportCommand(h.editor).exportPdf());
    QVERIFY(QFile::exists(out.filePath(QStringLiteral("plan.pdf"))));
    QCOMPARE(h.fake.exports.proposedPaths,
             QStringList({QDir(pictures).filePath(QStringLiteral("New.png")),
                          QDir(out.path()).filePath(QStringLiteral("New.pdf"))}));
}

void TestExport::cancelledChoiceWritesNothing_data()
{
    QTest::addColumn<int>("scale");
    QTest::addColumn<bool>("filePicked");
    QTest::newRow("scale cancelled") << 0 << true;
    QTest::newRow("file cancelled") << 2 << false;
}

void TestExport::cancelledChoiceWritesNothing()
{
    QFETCH(int, scale);
    QFETCH(bool, filePicked);
    EditorHarness h;
    QTemporaryDir out;
    h.fake.exports.scale = scale;
    h.fake.exports.file = filePicked ? out.filePath(QStringLiteral("a.png")) : QString();
    QVERIFY(!ExportCommand(h.editor).exportImage());
    QVERIFY(QDir(out.path()).isEmpty());
    QVERIFY(h.fake.dialogs.messages.isEmpty());
}

void TestExport::failedExportIsToldInFrenchAndKeepsTheOldFile_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("pdf");
    QTest::addColumn<QString>("reason");
    QTest::newRow("picture in a missing folder") << "missing" << false << "introuvable";
    QTest::newRow("PDF in a missing folder") << "missing" << true << "introuvable";
    QTest::newRow("picture over a read-only file") << "read-only file" << false << "protégé";
    QTest::newRow("picture in a read-only folder") << "read-only folder" << false << "refusé";
    QTest::newRow("PDF in a read-only folder") << "read-only folder" << true << "refusé";
}

void TestExport::failedExportIsToldInFrenchAndKeepsTheOldFile()
{
    QFETCH(QString, where);
    QFETCH(bool, pdf);
    QFETCH(QString, reason);
    EditorHarness h;
    QTemporaryDir out;
    const QString folder
        = where == QLatin1String("missing") ? out.filePath(QStringLiteral("absent")) : out.path();
    const QString path
        = QDir(folder).filePath(pdf ? QStringLiteral("plan.pdf") : QStringLiteral("plan.png"));
    const QByteArray old("an earlier export");
    if (where != QLatin1String("missing")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(old);
    }
    if (where == QLatin1String("read-only file"))
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadOther));
    if (where == QLatin1String("read-only folder")) {
        QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));
        if (Files::canCreateFiles(folder, nullptr)) {
            QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            QSKIP("this user writes in read-only folders");
        }
    }
    h.fake.exports.file = path;
    QVERIFY(!(pdf ? ExportCommand(h.editor).exportPdf() : ExportCommand(h.editor).exportImage()));
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    QCOMPARE(h.fake.dialogs.messages.size(), 1);
    const Dialogs::Message &told = h.fake.dialogs.messages.first();
    QCOMPARE(told.title, pdf ? ExportCommand::PdfTitle : ExportCommand::ImageTitle);
    QVERIFY2(told.text.startsWith(QStringLiteral("Le fichier « %1 » n'a pas pu être écrit")
                                      .arg(QDir::toNativeSeparators(path))),
             qPrintable(told.text));
    QVERIFY2(told.text.contains(reason), qPrintable(told.text));
    if (where != QLatin1String("missing")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), old);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList {QFileInfo(path).fileName()});
    }
}

void TestExport::pdfIsOneLandscapePageAsPrinted()
{
    EditorHarness h;
    PrintZone(h.editor).setValue(300);
    PrintedPage::commitPattern(h.editor);
    PrintedPage::drawPreviewAndFrame(h.editor);
    QTemporaryDir out;
    h.fake.exports.file = out.filePath(QStringLiteral("plan.pdf"));
    QVERIFY(ExportCommand(h.editor).exportPdf());
    QVERIFY(h.fake.dialogs.messages.isEmpty());

    QString error;
    const QList<QImage> pages = PrintedPage::render(h.fake.exports.file, &error);
    if (pages.isEmpty() && error.startsWith("pdftoppm ("))
        QSKIP(qPrintable(error));
    QCOMPARE(pages.size(), 1);
    QVERIFY(pages.first().width() > pages.first().height());
    const QRectF target = PrintLayout::targetTwips(h.state().PrintWidth, h.state().PrintHeight);
    const QString wrong = PrintedPage::check(
        pages.first(), QPointF(Printer::PdfMargin, Printer::PdfMargin), target);
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong));
}

QTEST_MAIN(TestExport)
#include "tst_export.moc"
