#pragma once

#include <QString>

class QMimeData;

// What a drop on the main window brings: a map opens only from one bitmap
// file of the local disk.
namespace DroppedMap {

// The path of that bitmap, or an empty text for anything else: several
// files, a file of another kind, a remote address, text or a picture.
QString bitmapOf(const QMimeData *data);

} // namespace DroppedMap
