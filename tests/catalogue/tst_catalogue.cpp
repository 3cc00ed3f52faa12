#include "catalogue/TileCatalogue.h"
#include "catalogue/TileTable.h"

#include <QSet>
#include <QtTest>

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void familiesMatchTheirTags();
    void paletteFramesFitTheStripWithoutOverlap();
    void everyPictureIsItsArtworkAtItsListedSize();
    void hitTestFindsEntriesAndNothingBetween();
    void moveBufferStartsEmpty();
    void everyPaletteEntryHasAPieceNameOfItsOwn();
    void arrowsStepToTheEntryThatWay_data();
    void arrowsStepToTheEntryThatWay();
    void arrowsReachEveryPaletteEntryAndComeBack();
};

using TileTable::Direction;
Q_DECLARE_METATYPE(TileTable::Direction)

void TestCatalogue::familiesMatchTheirTags()
{
    const auto &order = TileTable::paletteOrder();
    QSet<int> palette(order.begin(), order.end());
    QCOMPARE(palette.size(), 43);
    QVERIFY(!palette.contains(0));

    int members = 0;
    for (int head : order) {
        const int tag = TileTable::entry(head).tag;
        QVERIFY(tag == 0 || tag == 1 || tag == 3);
        for (int k = 1; k <= tag; ++k) {
            QVERIFY2(!palette.contains(head + k), qPrintable(QString::number(head + k)));
            QCOMPARE(*TileTable::familyHead(head + k), head);
            QCOMPARE(TileTable::stepInFamily(head + k), k);
        }
        // The next index starts another family or lies past the catalogue.
        const int next = head + tag + 1;
        QVERIFY(next == TileTable::EntryCount || palette.contains(next));
        members += tag + 1;
    }
    QCOMPARE(members, 97);
    QCOMPARE(TileTable::entry(94).tag, 3);
    QCOMPARE(94 + 3, TileTable::LastIndex);
    QVERIFY(!TileTable::familyHead(0));
    QCOMPARE(TileTable::turnOf(71), TileTable::Turn::CounterClockwise);
    QCOMPARE(TileTable::turnOf(82), TileTable::Turn::CounterClockwise);
    QCOMPARE(TileTable::turnOf(75), TileTable::Turn::Clockwise);
}

void TestCatalogue::paletteFramesFitTheStripWithoutOverlap()
{
    const QRect strip(QPoint(4, 17), QPoint(191, 709));
    const auto &order = TileTable::paletteOrder();
    for (int a : order) {
        const QRect frame = TileTable::frameRect(a);
        QVERIFY2(strip.contains(frame), qPrintable(QString::number(a)));
        QCOMPARE(frame.size(), TileTable::pictureSize(a) + QSize(4, 4));
        for (int b : order)
            if (a != b)
                QVERIFY2(!frame.intersects(TileTable::frameRect(b)),
                         qPrintable(QStringLiteral("%1 %2").arg(a).arg(b)));
    }
    QCOMPARE(TileTable::frameRect(2), QRect(52, 17, 43, 43));
    QCOMPARE(TileTable::frameRect(65), QRect(8, 625, 44, 31));
}

void TestCatalogue::everyPictureIsItsArtworkAtItsListedSize()
{
    // The catalogue shows the committed artwork, pixel for pixel, whatever
    // the form it is built into the program in.
    TileCatalogue catalogue;
    const QString assets = qEnvironmentVariable("VANTOREL_SOURCE_DIR") + "/assets/tiles/";
    for (int i = 1; i < TileTable::EntryCount; ++i) {
        const QString file = assets + QStringLiteral("tile_%1.png").arg(i, 2, 10, QChar('0'));
        const QImage artwork = QImage(file).convertToFormat(QImage::Format_RGB32);
        QVERIFY2(!artwork.isNull(), qPrintable(file));
        QCOMPARE(artwork.size(), TileTable::pictureSize(i));
        QCOMPARE(catalogue.picture(i), artwork);
    }
    // Sizes that are not whole cells stay as they are.
    QCOMPARE(catalogue.picture(65).size(), QSize(40, 27));
    QCOMPARE(catalogue.picture(70).size(), QSize(14, 14));
    // The compartment bank standing upright is no plain turn of 40 x 27.
    QCOMPARE(catalogue.picture(66).size(), QSize(26, 39));
}

void TestCatalogue::hitTestFindsEntriesAndNothingBetween()
{
    QCOMPARE(TileTable::paletteHit(QPoint(52, 17)), std::optional<int>(2));
    QCOMPARE(TileTable::paletteHit(QPoint(94, 59)), std::optional<int>(2));
    QCOMPARE(TileTable::paletteHit(QPoint(95, 30)), std::nullopt); // gap 95..99
    QCOMPARE(TileTable::paletteHit(QPoint(2, 30)), std::nullopt);
    QCOMPARE(TileTable::paletteHit(QPoint(160, 700)), std::optional<int>(81));
}

void TestCatalogue::moveBufferStartsEmpty()
{
    TileCatalogue catalogue;
    QVERIFY(catalogue.picture(0).isNull());
    QCOMPARE(TileCatalogue::tag(0), QStringLiteral("0"));
    QImage block(39, 39, QImage::Format_RGB32);
    block.fill(Qt::red);
    catalogue.setMoveBuffer(block);
    QCOMPARE(catalogue.moveBufferOuterSize(), QSize(43, 43));
}

void TestCatalogue::everyPaletteEntryHasAPieceNameOfItsOwn()
{
    QSet<QString> names;
    for (int index : TileTable::paletteOrder())
        names.insert(TileTable::pieceName(index));
    QCOMPARE(names.size(), TileTable::PaletteCount);
    QVERIFY(!names.contains(QString()));
    QVERIFY(names.contains(QStringLiteral("Salle 3 × 3 à quatre portes")));
    for (int other : {0, 3, 97})
        QVERIFY(TileTable::pieceName(other).isEmpty());
}

void TestCatalogue::arrowsStepToTheEntryThatWay_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<Direction>("way");
    QTest::addColumn<int>("to"); // 0: none, the focus stays
    QTest::newRow("along the top row") << 1 << Direction::Right << 2;
    QTest::newRow("back along it") << 6 << Direction::Left << 2;
    QTest::newRow("down a column") << 1 << Direction::Down << 10;
    QTest::newRow("up a column") << 20 << Direction::Up << 10;
    QTest::newRow("between the two room columns") << 20 << Direction::Right << 29;
    QTest::newRow("among the letters") << 87 << Direction::Right << 88;
    QTest::newRow("letter to digit") << 86 << Direction::Down << 90;
    QTest::newRow("left edge") << 1 << Direction::Left << 0;
    QTest::newRow("top edge") << 21 << Direction::Up << 0;
    QTest::newRow("bottom edge") << 90 << Direction::Down << 0;
}

void TestCatalogue::arrowsStepToTheEntryThatWay()
{
    QFETCH(int, from);
    QFETCH(Direction, way);
    QFETCH(int, to);
    QCOMPARE(TileTable::paletteNeighbour(from, way), to ? std::optional<int>(to) : std::nullopt);
}

void TestCatalogue::arrowsReachEveryPaletteEntryAndComeBack()
{
    // From every entry the arrows lead to every other one, the first
    // included: no entry is out of the keyboard's reach, nor a dead end.
    for (int start : TileTable::paletteOrder()) {
        QSet<int> reached {start};
        QList<int> open {start};
        while (!open.isEmpty()) {
            const int at = open.takeLast();
            for (Direction way :
                 {Direction::Left, Direction::Right, Direction::Up, Direction::Down})
                if (const auto next = TileTable::paletteNeighbour(at, way);
                    next && !reached.contains(*next)) {
                    reached.insert(*next);
                    open.append(*next);
                }
        }
        QVERIFY2(reached.size() == TileTable::PaletteCount, qPrintable(QString::number(start)));
    }
    QCOMPARE(TileTable::paletteNeighbour(0, Direction::Right), std::nullopt);
}

QTEST_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
