#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QUndoCommand>

#include <functional>

// One step of the map's history: a stamp, an erase or a move. It keeps only
// the rectangle the edit changed, with its pixels before and after,
// compressed: maps are mostly flat colour.
class MapEdit : public QUndoCommand
{
public:
    // Puts pixels into the map at a point and commits it.
    using Show = std::function<void(const QImage &pixels, QPoint topLeft)>;

    MapEdit(Show show, QPoint topLeft, const QImage &before, const QImage &after);

    void undo() override;
    void redo() override;

    // The memory the step holds.
    qsizetype bytes() const;
    // The same step, for a history rebuilt without its oldest steps.
    MapEdit *clone() const;

private:
    MapEdit(Show show, QRect rect, QByteArray before, QByteArray after);
    void show(const QByteArray &pixels);

    Show show_;
    QRect rect_;
    QByteArray before_;
    QByteArray after_;
};
