#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QUndoCommand>

#include <functional>

// One step of the map's history: a stamp, an erase or a move. It keeps only
// the rectangle the edit changed, with its pixels before and after,
// compressed: maps are mostly flat colour. A tile's picture stamped whole is
// kept as it is, shared with the catalogue that holds it anyway.
class MapEdit : public QUndoCommand
{
public:
    // Puts pixels into the map at a point and commits it.
    using Show = std::function<void(const QImage &pixels, QPoint topLeft)>;
    // The steps' memory, kept up to date by every step while it lives.
    using Total = qsizetype;

    MapEdit(Show show, Total &total, QPoint topLeft, const QImage &before, const QImage &after,
            bool afterShared);
    ~MapEdit() override;

    void undo() override;
    void redo() override;

    // The memory the step holds.
    qsizetype bytes() const;
    // The same step, for a history rebuilt without its oldest steps.
    MapEdit *clone() const;

private:
    MapEdit(const MapEdit &other);

    Show show_;
    Total &total_;
    QRect rect_;
    QByteArray before_;
    QByteArray after_; // empty when afterShared_ holds the pixels
    QImage afterShared_;
    QImage firstAfter_; // the pixels for the first redo, which the stack runs at once
};
