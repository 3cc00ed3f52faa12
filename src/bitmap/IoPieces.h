#pragma once

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <functional>
#include <vector>

#include <sys/uio.h>

// Whole lists of memory pieces moved to or from a file in as few calls as the
// system allows: a board's rows, bottom one first, without gathering them in
// one buffer.
namespace IoPieces {

// Calls transfer, a readv or writev at some file position, with the pieces
// not yet moved until all are, resuming inside a piece moved in part. False
// when transfer fails (errno tells why) or moves nothing (errno is EIO).
bool transferAll(std::vector<iovec> &pieces,
                 const std::function<ssize_t(const iovec *pieces, int count)> &transfer);

} // namespace IoPieces
#endif
