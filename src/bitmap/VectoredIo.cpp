// Where Qt would move a board's rows one call each, these loops move them all
// in one readv or writev, and go on after the system moved only part of them.

#include "VectoredIo.h"

#if defined(Q_OS_UNIX)
#include <algorithm>
#include <cerrno>
#include <climits>

namespace VectoredIo {

bool transferAll(std::vector<iovec> &pieces,
                 const std::function<ssize_t(const iovec *pieces, int count)> &transfer)
{
    size_t next = 0;
    while (next < pieces.size()) {
        const int count = int(std::min<size_t>(pieces.size() - next, IOV_MAX));
        const ssize_t moved = transfer(pieces.data() + next, count);
        if (moved < 0 && errno == EINTR)
            continue;
        if (moved <= 0) {
            if (moved == 0)
                errno = EIO;
            return false;
        }
        auto left = size_t(moved);
        while (next < pieces.size() && left >= pieces[next].iov_len)
            left -= pieces[next++].iov_len;
        if (left > 0) {
            pieces[next].iov_base = static_cast<char *>(pieces[next].iov_base) + left;
            pieces[next].iov_len -= left;
        }
    }
    return true;
}

} // namespace VectoredIo
#endif
