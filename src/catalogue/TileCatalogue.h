#pragma once

#include "TileTable.h"

#include <QImage>
#include <QString>

#include <array>

// The tile pictures by index. Entry 0 is the move buffer: no picture until
// the move tool puts a cut block there; the others never change.
class TileCatalogue
{
public:
    TileCatalogue();

    // The picture of an entry; a null image for an empty move buffer.
    const QImage &picture(int index) const;

    // The tag text of a palette entry: its number of orientation variants.
    static QString tag(int index);

    void setMoveBuffer(const QImage &block);
    // The move buffer's outer size: its picture plus a 2-pixel frame each way.
    QSize moveBufferOuterSize() const;

private:
    std::array<QImage, TileTable::EntryCount> pictures_;
};
