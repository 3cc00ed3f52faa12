#pragma once

// Qt's file classes move one buffer per call, and its bitmap codec one row:
// a board's rows, bottom one first, go to or come from a file here in as few
// calls as the system allows, straight from the image, gathered in no buffer.

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <functional>
#include <vector>

#include <sys/uio.h>

namespace VectoredIo {

// Calls transfer, a readv or writev at some file position, with the pieces of
// memory not yet moved until all are, resuming inside a piece moved in part.
// False when transfer fails (errno tells why) or moves nothing (errno is EIO).
bool transferAll(std::vector<iovec> &pieces,
                 const std::function<ssize_t(const iovec *pieces, int count)> &transfer);

} // namespace VectoredIo
#endif
