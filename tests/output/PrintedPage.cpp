#include "PrintedPage.h"

#include "document/BoardController.h"
#include "document/Editor.h"
#include "document/PrintZone.h"

#include <QDir>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTransform>

namespace PrintedPage {

namespace {

struct Block {
    const char *name;
    QRect board;
    QRgb colour;
};

// The first two lie inside the smallest zone; the last one only on a page
// that shows the whole board.
const QList<Block> &blocks()
{
    static const QList<Block> list = {
        {"blue", QRect(13, 13, 26, 26), 0xff0000ff},
        {"green", QRect(65, 39, 52, 39), 0xff00ff00},
        {"cyan", QRect(702, 481, 52, 39), 0xff00ffff},
    };
    return list;
}

bool near(int a, int b) { return qAbs(a - b) < 70; }

bool looksLike(QRgb pixel, QRgb colour)
{
    return near(qRed(pixel), qRed(colour)) && near(qGreen(pixel), qGreen(colour))
           && near(qBlue(pixel), qBlue(colour));
}

// The bounding box of the pixels of that colour; empty when there are none.
QRect find(const QImage &page, QRgb colour)
{
    QRect box;
    for (int y = 0; y < page.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(page.constScanLine(y));
        for (int x = 0; x < page.width(); ++x)
            if (looksLike(line[x], colour))
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

QString describe(const QRectF &r)
{
    return QStringLiteral("(%1, %2, %3 x %4)")
        .arg(r.x(), 0, 'f', 1)
        .arg(r.y(), 0, 'f', 1)
        .arg(r.width(), 0, 'f', 1)
        .arg(r.height(), 0, 'f', 1);
}

// Whether the first block lies above and left of the second: the map's way up.
bool upright(const QImage &page)
{
    const QRect first = find(page, blocks().at(0).colour);
    const QRect second = find(page, blocks().at(1).colour);
    return !first.isEmpty() && !second.isEmpty() && first.center().x() < second.center().x()
           && first.center().y() < second.center().y();
}

} // namespace

void commitPattern(Editor &editor)
{
    QImage map = BoardModel::whiteBoard();
    {
        QPainter painter(&map);
        for (const Block &b : blocks())
            painter.fillRect(b.board, QColor::fromRgb(b.colour));
    }
    editor.changeMap(map.rect(), map);
}

void drawPreviewAndFrame(Editor &editor)
{
    QImage preview(26, 26, QImage::Format_RGB32);
    preview.fill(PreviewColour);
    editor.catalogue().setMoveBuffer(preview);
    editor.state().CurrentTile = 0;
    BoardController(editor).pointerMove(Qt::NoButton, QPointF(13, 52));
    PrintZone(editor).showFrame();
}

QList<QImage> render(const QString &pdf, QString *error)
{
    const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
    if (pdftoppm.isEmpty()) {
        *error = QStringLiteral("pdftoppm (poppler-utils) is not installed");
        return {};
    }
    QTemporaryDir out;
    QProcess process;
    process.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"),
                             pdf, out.filePath(QStringLiteral("page"))});
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        *error = QStringLiteral("pdftoppm failed: ") + process.readAllStandardError();
        return {};
    }
    QList<QImage> pages;
    const QStringList files
        = QDir(out.path()).entryList({QStringLiteral("*.png")}, QDir::Files, QDir::Name);
    for (const QString &file : files)
        pages.append(QImage(out.filePath(file)).convertToFormat(QImage::Format_RGB32));
    return pages;
}

QString check(const QImage &printed, QPointF printableCorner, const QRectF &targetTwips)
{
    QImage page = printed;
    if (page.height() > page.width()) {
        page = printed.transformed(QTransform().rotate(90));
        if (!upright(page))
            page = printed.transformed(QTransform().rotate(-90));
    }
    if (!find(page, PreviewColour).isEmpty())
        return QStringLiteral("the tile preview is on the page");
    if (!find(page, FrameColour).isEmpty())
        return QStringLiteral("the print-zone frame is on the page");

    // Twips to points, and board pixels to points.
    const QPointF origin = printableCorner + targetTwips.topLeft() / 20;
    const double sx = targetTwips.width() / 20 / Board::Width;
    const double sy = targetTwips.height() / 20 / Board::Height;
    for (const Block &b : blocks()) {
        const QRectF expected(origin.x() + b.board.x() * sx, origin.y() + b.board.y() * sy,
                              b.board.width() * sx, b.board.height() * sy);
        const QRect found = find(page, b.colour);
        if (!QRectF(page.rect()).contains(expected)) {
            if (!found.isEmpty())
                return QStringLiteral("the %1 block, beyond the page, is printed at %2")
                    .arg(b.name, describe(found));
            continue;
        }
        const QRectF got(found.x(), found.y(), found.width(), found.height());
        const double slack = 2;
        if (found.isEmpty() || qAbs(got.left() - expected.left()) > slack
            || qAbs(got.top() - expected.top()) > slack
            || qAbs(got.right() - expected.right()) > slack
            || qAbs(got.bottom() - expected.bottom()) > slack)
            return QStringLiteral("the %1 block is at %2 points, expected at %3")
                .arg(b.name, found.isEmpty() ? QStringLiteral("nowhere") : describe(got),
                     describe(expected));
    }
    return {};
}

} // namespace PrintedPage
