#include "document/BoardModel.h"

#include <QtTest>

namespace {

QImage blankBoard()
{
    QImage board(Board::Width, Board::Height, QImage::Format_RGB32);
    board.fill(Qt::white);
    return board;
}

} // namespace

class TestBoardModel : public QObject
{
    Q_OBJECT

private slots:
    void newPictureRepaintsOnlyWhereItDiffers_data();
    void newPictureRepaintsOnlyWhereItDiffers();
    void boardCommittedAsDisplayedIsShownAsItIs();
};

void TestBoardModel::newPictureRepaintsOnlyWhereItDiffers_data()
{
    QTest::addColumn<QList<QRect>>("changes"); // painted black on a white board
    QTest::addColumn<QRect>("drawing"); // a tile on the display beforehand
    QTest::newRow("the same pixels in another image") << QList<QRect> {} << QRect();
    QTest::newRow("first pixel of a row") << QList<QRect> {{0, 100, 1, 1}} << QRect();
    QTest::newRow("last pixel of the board") << QList<QRect> {{772, 545, 1, 1}} << QRect();
    QTest::newRow("two blocks rows apart")
        << QList<QRect> {{13, 13, 39, 39}, {700, 500, 20, 20}} << QRect();
    QTest::newRow("a drawing the new picture lacks") << QList<QRect> {} << QRect(260, 130, 39, 39);
    QTest::newRow("a drawing over a change")
        << QList<QRect> {{270, 140, 10, 10}} << QRect(260, 130, 39, 39);
}

void TestBoardModel::newPictureRepaintsOnlyWhereItDiffers()
{
    QFETCH(QList<QRect>, changes);
    QFETCH(QRect, drawing);
    BoardModel board;
    board.setPicture(blankBoard());
    if (!drawing.isNull()) {
        QImage tile(drawing.size(), QImage::Format_RGB32);
        tile.fill(Qt::red);
        board.copyTile(tile, drawing.topLeft());
    }
    board.takeDamage();

    QImage picture = blankBoard();
    QRegion changed(drawing);
    for (const QRect &r : changes) {
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                picture.setPixel(x, y, qRgb(0, 0, 0));
        changed += r;
    }
    board.setPicture(picture);

    QCOMPARE(board.displayed(), picture);
    const QRegion damage = board.takeDamage();
    QCOMPARE(damage.intersected(changed), changed);
    // Rows between changes are left alone.
    for (int y = 0; y < Board::Height; ++y) {
        const QRect row(0, y, Board::Width, 1);
        if (!changed.intersects(row))
            QVERIFY2(!damage.intersects(row), qPrintable(QString::number(y)));
    }
}

void TestBoardModel::boardCommittedAsDisplayedIsShownAsItIs()
{
    BoardModel board;
    QImage tile(39, 39, QImage::Format_RGB32);
    tile.fill(Qt::red);
    board.copyTile(tile, QPoint(13, 13));
    board.setCommitted(board.displayed().copy(), true);
    board.takeDamage();
    board.setPicture(board.committed());
    QVERIFY(board.takeDamage().isEmpty());
    QCOMPARE(board.displayed(), board.committed());

    // Once the display changed, the board set as the picture again replaces
    // what changed.
    const QImage committed = board.displayed().copy();
    board.setCommitted(committed, true);
    board.copyTile(tile, QPoint(260, 130));
    board.takeDamage();
    board.setPicture(board.committed());
    QCOMPARE(board.displayed(), committed);
    QCOMPARE(board.takeDamage(), QRegion(260, 130, 39, 39));
}

QTEST_MAIN(TestBoardModel)
#include "tst_boardmodel.moc"
