#include "document/BoardModel.h"

#include <QtTest>

class TestBoardModel : public QObject
{
    Q_OBJECT

private slots:
    void previewLiesOverTheMapAndRepaintsOnlyItsArea();
};

void TestBoardModel::previewLiesOverTheMapAndRepaintsOnlyItsArea()
{
    BoardModel board;
    QImage tile(39, 39, QImage::Format_RGB32);
    tile.fill(Qt::red);
    board.drawTile(tile, QPoint(13, 13));
    board.takeDamage();

    board.clearDrawings();
    board.drawTile(tile, QPoint(260, 130));
    QCOMPARE(board.takeDamage(), QRegion(13, 13, 39, 39) + QRegion(260, 130, 39, 39));
    QCOMPARE(board.map(), BoardModel::whiteBoard());
    QCOMPARE(board.displayed().pixel(270, 140), qRgb(255, 0, 0));
    QCOMPARE(board.displayed().pixel(20, 20), qRgb(255, 255, 255));
}

QTEST_MAIN(TestBoardModel)
#include "tst_boardmodel.moc"
