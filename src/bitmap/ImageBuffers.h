#pragma once

// An image Qt's codec decodes lands in fresh memory, which costs a page fault
// every few kilobytes, more than filling or reading a whole board: the board's
// images are given memory here that is already in use.

#include <QImage>

// Memory for board-sized images. Large buffers are asked of the system in huge
// pages where it offers them, and a buffer whose last image is gone is kept
// for the next image of its size.
namespace ImageBuffers {

// A new image of 32-bit opaque pixels, its content undefined; a null image
// when the memory cannot be had.
QImage rgb32(int width, int height);

} // namespace ImageBuffers
