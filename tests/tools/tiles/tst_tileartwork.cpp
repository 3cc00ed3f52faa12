#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <array>

namespace {

constexpr int Square = 13;
constexpr int LastTile = 97;

struct Family {
    int head;
    int width; // size of the head's picture
    int height;
    int variants;
    bool counterClockwise = false;
};

// The catalogue's families as the tile list gives them.
const Family kFamilies[] = {
    {1, 39, 39, 0},  {2, 39, 39, 3},  {6, 39, 39, 3},  {10, 39, 65, 1},       {12, 39, 52, 1},
    {14, 39, 39, 1}, {16, 39, 26, 1}, {18, 39, 13, 1}, {20, 65, 65, 0},       {21, 39, 39, 3},
    {25, 39, 26, 3}, {29, 65, 65, 3}, {33, 65, 65, 1}, {35, 65, 65, 3},       {39, 65, 65, 3},
    {43, 65, 39, 1}, {45, 65, 52, 1}, {47, 65, 39, 1}, {49, 52, 52, 0},       {50, 65, 65, 3},
    {54, 65, 39, 3}, {58, 65, 65, 3}, {62, 91, 91, 1}, {64, 13, 13, 0},       {65, 40, 27, 1},
    {67, 26, 26, 0}, {68, 13, 26, 1}, {70, 14, 14, 0}, {71, 26, 39, 3, true}, {75, 13, 39, 3},
    {79, 13, 13, 0}, {80, 13, 13, 0}, {81, 13, 13, 0}, {82, 13, 39, 3, true}, {86, 13, 13, 0},
    {87, 13, 13, 0}, {88, 13, 13, 0}, {89, 13, 13, 0}, {90, 13, 13, 0},       {91, 13, 13, 0},
    {92, 13, 13, 0}, {93, 13, 13, 0}, {94, 65, 65, 3},
};

// The upright compartment bank is drawn for its own size, not turned.
constexpr int UprightBank = 66;

QString tileName(int index)
{
    return QStringLiteral("tile_%1.png").arg(index, 2, 10, QLatin1Char('0'));
}

QImage turned(const QImage &image, bool clockwise)
{
    QImage out(image.height(), image.width(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(clockwise ? image.height() - 1 - y : y,
                         clockwise ? x : image.width() - 1 - x, image.pixel(x, y));
    return out;
}

// Mirrored across the main diagonal: a join side by side becomes one above
// the other, so every join can be checked along rows.
QImage transposed(const QImage &image)
{
    QImage out(image.height(), image.width(), QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            out.setPixel(y, x, image.pixel(x, y));
    return out;
}

// Where two pictures of the same size differ first, or an empty text.
QString firstDifference(const QImage &a, const QImage &b)
{
    if (a.size() != b.size())
        return QStringLiteral("sizes differ");
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (a.pixel(x, y) != b.pixel(x, y))
                return QStringLiteral("pixel %1,%2 differs").arg(x).arg(y);
    return {};
}

void paste(QImage &board, const QImage &piece, QPoint at)
{
    for (int y = 0; y < piece.height(); ++y)
        for (int x = 0; x < piece.width(); ++x)
            board.setPixel(at.x() + x, at.y() + y, piece.pixel(x, y));
}

bool isBlack(QRgb c) { return qGray(c) < 64; }

// Number of separate runs of dark pixels along a line of pixels.
int darkRuns(const QImage &image, QPoint from, QPoint step, int count)
{
    int runs = 0;
    bool inRun = false;
    for (int i = 0; i < count; ++i) {
        const bool dark = qGray(image.pixel(from + i * step)) < 128;
        runs += dark && !inRun;
        inRun = dark;
    }
    return runs;
}

} // namespace

class TileArtworkTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void generatorRedrawsTheCommittedFilesByteForByte();
    void picturesHaveTheirCatalogueSizes();
    void variantsAreExactQuarterTurns_data();
    void variantsAreExactQuarterTurns();
    void uprightBankHasItsTabsOnTheRight();
    void straightCorridorsAddUp_data();
    void straightCorridorsAddUp();
    void piecesJoinIntoOneFloor_data();
    void piecesJoinIntoOneFloor();
    void closedSideKeepsAMarginOutsideTheContour_data();
    void closedSideKeepsAMarginOutsideTheContour();
    void markersAreBlackOrGreyOnWhite();

private:
    const QImage &tile(int index) const { return m_tiles.at(std::size_t(index)); }

    QTemporaryDir m_temp;
    QString m_generated;
    std::array<QImage, LastTile + 1> m_tiles;
};

void TileArtworkTest::initTestCase()
{
    QVERIFY(m_temp.isValid());
    m_generated = m_temp.filePath(QStringLiteral("tuiles générées"));
    QProcess generator;
    generator.start(QStringLiteral(TILE_GENERATOR), {m_generated});
    QVERIFY(generator.waitForFinished(60000));
    QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
    QVERIFY2(generator.exitCode() == 0, generator.readAllStandardError().constData());

    for (int index = 1; index <= LastTile; ++index) {
        const QString path = QDir(QStringLiteral(TILE_ASSET_DIR)).filePath(tileName(index));
        QImage image(path);
        QVERIFY2(!image.isNull(), qPrintable(path));
        m_tiles[std::size_t(index)] = image.convertToFormat(QImage::Format_RGB32);
    }
}

void TileArtworkTest::generatorRedrawsTheCommittedFilesByteForByte()
{
    QStringList expected;
    for (int index = 1; index <= LastTile; ++index)
        expected << tileName(index);
    QCOMPARE(QDir(m_generated).entryList(QDir::Files, QDir::Name), expected);
    QCOMPARE(QDir(QStringLiteral(TILE_ASSET_DIR)).entryList(QDir::Files, QDir::Name), expected);

    for (const QString &name : expected) {
        QFile drawn(QDir(m_generated).filePath(name));
        QFile committed(QDir(QStringLiteral(TILE_ASSET_DIR)).filePath(name));
        QVERIFY(drawn.open(QIODevice::ReadOnly));
        QVERIFY(committed.open(QIODevice::ReadOnly));
        QVERIFY2(drawn.readAll() == committed.readAll(), qPrintable(name));
    }
}

void TileArtworkTest::picturesHaveTheirCatalogueSizes()
{
    int next = 1;
    for (const Family &f : kFamilies) {
        QCOMPARE(f.head, next);
        for (int step = 0; step <= f.variants; ++step) {
            const int index = f.head + step;
            QSize size = step % 2 == 0 ? QSize(f.width, f.height) : QSize(f.height, f.width);
            if (index == UprightBank)
                size = QSize(26, 39);
            QVERIFY2(tile(index).size() == size, qPrintable(tileName(index)));
        }
        next = f.head + f.variants + 1;
    }
    QCOMPARE(next, LastTile + 1);
}

void TileArtworkTest::variantsAreExactQuarterTurns_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("clockwise");
    for (const Family &f : kFamilies)
        for (int index = f.head + 1; index <= f.head + f.variants; ++index)
            if (index != UprightBank)
                QTest::addRow("%d", index) << index << !f.counterClockwise;
}

void TileArtworkTest::variantsAreExactQuarterTurns()
{
    QFETCH(int, index);
    QFETCH(bool, clockwise);
    const QString difference = firstDifference(tile(index), turned(tile(index - 1), clockwise));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TileArtworkTest::uprightBankHasItsTabsOnTheRight()
{
    const QImage &lying = tile(65);
    const QImage &upright = tile(UprightBank);
    QCOMPARE(darkRuns(lying, QPoint(0, 0), QPoint(1, 0), lying.width()), 3);
    const int right = upright.width() - 1;
    QCOMPARE(darkRuns(upright, QPoint(right, 0), QPoint(0, 1), upright.height()), 3);
    // The housing's left side is one unbroken line: no tabs there.
    QCOMPARE(darkRuns(upright, QPoint(0, 0), QPoint(0, 1), upright.height()), 1);
}

void TileArtworkTest::straightCorridorsAddUp_data()
{
    QTest::addColumn<int>("upper");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("whole");
    QTest::newRow("1+1 squares") << 18 << 18 << 16;
    QTest::newRow("1+2 squares") << 18 << 16 << 14;
    QTest::newRow("2+2 squares") << 16 << 16 << 12;
    QTest::newRow("3+2 squares") << 14 << 16 << 10;
}

// Short corridors laid end to end on the grid are the longer corridor, pixel
// for pixel: nothing marks where one piece ends and the next begins.
void TileArtworkTest::straightCorridorsAddUp()
{
    QFETCH(int, upper);
    QFETCH(int, lower);
    QFETCH(int, whole);
    QImage board(tile(whole).size(), QImage::Format_RGB32);
    paste(board, tile(upper), QPoint(0, 0));
    paste(board, tile(lower), QPoint(0, tile(upper).height()));
    const QString difference = firstDifference(board, tile(whole));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TileArtworkTest::piecesJoinIntoOneFloor_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::addColumn<bool>("sideBySide"); // second right of first, else below it
    QTest::addColumn<int>("shift"); // second's offset along the join, in squares
    QTest::addColumn<int>("opening"); // first square of the opening in the first piece
    QTest::addColumn<int>("width"); // squares across the opening, walls included
    QTest::addColumn<int>("reference"); // a straight piece, its opening from its first square

    QTest::newRow("corridor beside corridor") << 11 << 13 << true << 0 << 0 << 3 << 15;
    QTest::newRow("corridor onto dead end") << 18 << 25 << false << 0 << 0 << 3 << 14;
    QTest::newRow("shaft end beside corridor") << 22 << 19 << true << 0 << 0 << 3 << 15;
    QTest::newRow("crossroads beside T-junction") << 1 << 2 << true << 0 << 0 << 3 << 15;
    QTest::newRow("T-junction onto corner") << 2 << 9 << false << 0 << 0 << 3 << 14;
    QTest::newRow("junction exit onto corridor") << 49 << 18 << false << 0 << 0 << 3 << 14;
    QTest::newRow("corridor into room door") << 16 << 94 << false << -1 << 0 << 3 << 14;
    QTest::newRow("large room door onto corridor") << 62 << 16 << false << 2 << 2 << 3 << 14;
    QTest::newRow("room door beside room door") << 33 << 33 << true << 0 << 1 << 3 << 15;
    QTest::newRow("room ends back to back") << 54 << 56 << false << 0 << 0 << 5 << 45;
    QTest::newRow("room section onto middle slice") << 47 << 43 << false << 0 << 0 << 5 << 45;
    QTest::newRow("room corners side by side") << 60 << 61 << true << 0 << 0 << 5 << 52;
    QTest::newRow("room corners stacked") << 60 << 59 << false << 0 << 0 << 5 << 51;
}

// Across the join the board looks like the inside of a straight piece: floor
// squares parted by the usual grid line, walls running on, and no contour
// line across the floor.
void TileArtworkTest::piecesJoinIntoOneFloor()
{
    QFETCH(int, first);
    QFETCH(int, second);
    QFETCH(bool, sideBySide);
    QFETCH(int, shift);
    QFETCH(int, opening);
    QFETCH(int, width);
    QFETCH(int, reference);

    auto oriented = [&](int index) { return sideBySide ? transposed(tile(index)) : tile(index); };
    const QImage a = oriented(first);
    const QImage b = oriented(second);
    const QImage r = oriented(reference);

    const int ax = Square * std::max(0, -shift);
    const int bx = Square * std::max(0, shift);
    QImage board(std::max(ax + a.width(), bx + b.width()), a.height() + b.height(),
                 QImage::Format_RGB32);
    board.fill(Qt::white);
    paste(board, a, QPoint(ax, 0));
    paste(board, b, QPoint(bx, a.height()));

    // The three pixel rows each side of the join, as deep as a closed side's margin.
    const int join = a.height();
    const int left = ax + Square * opening;
    const QRect across(left, join - 3, Square * width, 6);
    const QImage inside = r.copy(0, Square - 3, Square * width, 6);
    const QString difference = firstDifference(board.copy(across), inside);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));

    const int middle = left + Square * (width / 2) + Square / 2;
    for (int y = join - Square; y < join + Square; ++y)
        QVERIFY2(!isBlack(board.pixel(middle, y)), qPrintable(QString::number(y - join)));
}

void TileArtworkTest::closedSideKeepsAMarginOutsideTheContour_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<int>("turns"); // clockwise quarter turns that bring the side to the top
    QTest::newRow("corridor, top wall") << 2 << 0;
    QTest::newRow("corridor, left wall") << 10 << 1;
    QTest::newRow("dead end, bottom") << 25 << 2;
    QTest::newRow("room, bottom") << 94 << 2;
    QTest::newRow("large room, right") << 62 << 3;
    QTest::newRow("room section, wall along the bottom") << 50 << 2;
}

void TileArtworkTest::closedSideKeepsAMarginOutsideTheContour()
{
    QFETCH(int, index);
    QFETCH(int, turns);
    QImage image = tile(index);
    for (int i = 0; i < turns; ++i)
        image = turned(image, true);
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < 3; ++y)
            QCOMPARE(image.pixel(x, y), qRgb(255, 255, 255));
    for (int x = 3; x < image.width() - 3; ++x)
        QVERIFY2(isBlack(image.pixel(x, 3)), qPrintable(QString::number(x)));
}

void TileArtworkTest::markersAreBlackOrGreyOnWhite()
{
    for (int index = 64; index <= 93; ++index) {
        QImage paper(tile(index).size(), QImage::Format_RGB32);
        paper.fill(Qt::white);
        QVERIFY2(tile(index).allGray() && tile(index) != paper, qPrintable(tileName(index)));
    }
    // Letters A to D and digits 1 to 4 are eight different pictures.
    for (int i = 86; i <= 93; ++i)
        for (int j = i + 1; j <= 93; ++j)
            QVERIFY2(tile(i) != tile(j), qPrintable(tileName(i) + QLatin1Char('/') + tileName(j)));
}

QTEST_MAIN(TileArtworkTest)
#include "tst_tileartwork.moc"
