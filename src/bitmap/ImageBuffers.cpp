// Where Qt would allocate each image anew, buffers of board size are mapped
// here once, on huge pages where the system offers them, and handed round.

#include "ImageBuffers.h"

#include <QMutex>

#include <memory>
#include <new>
#include <vector>

#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace ImageBuffers {
namespace {

// Below this, the allocator's own free lists serve as well.
constexpr qsizetype SmallestKept = qsizetype(256) * 1024;
// A board, its picture, its undo copy and one read back: a few of a size
// are enough to go round.
constexpr size_t MostKept = 4;

// One buffer of pixels, mapped on its own where huge pages may back it.
class Buffer
{
public:
    static std::unique_ptr<Buffer> make(qsizetype bytes)
    {
        std::unique_ptr<Buffer> buffer(new Buffer(bytes));
        if (!buffer->data_)
            buffer.reset();
        return buffer;
    }

    ~Buffer()
    {
#if defined(Q_OS_LINUX)
        if (mapped_)
            ::munmap(mapped_, mappedBytes_);
#else
        delete[] data_;
#endif
    }

    Buffer(const Buffer &) = delete;
    Buffer &operator=(const Buffer &) = delete;

    qsizetype bytes() const { return bytes_; }
    uchar *data() const { return data_; }

private:
    explicit Buffer(qsizetype bytes) : bytes_(bytes)
    {
#if defined(Q_OS_LINUX)
        // Whole huge pages, on a huge page boundary: the slack before and
        // after the aligned part goes back at once.
        constexpr size_t huge = size_t(2) * 1024 * 1024;
        const size_t wanted = (size_t(bytes) + huge - 1) / huge * huge;
        void *base = ::mmap(nullptr, wanted + huge, PROT_READ | PROT_WRITE,
                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (base == MAP_FAILED)
            return;
        auto *start = static_cast<uchar *>(base);
        const size_t head = (huge - quintptr(start) % huge) % huge;
        uchar *aligned = start + head;
        if (head > 0)
            ::munmap(start, head);
        ::munmap(aligned + wanted, huge - head);
        // Where huge pages are not offered this does nothing, and the buffer
        // has ordinary pages.
        (void)::madvise(aligned, wanted, MADV_HUGEPAGE);
        mapped_ = aligned;
        mappedBytes_ = wanted;
        data_ = aligned;
#else
        data_ = new (std::nothrow) uchar[size_t(bytes)];
#endif
    }

    qsizetype bytes_;
    uchar *data_ = nullptr;
#if defined(Q_OS_LINUX)
    void *mapped_ = nullptr;
    size_t mappedBytes_ = 0;
#endif
};

class Pool
{
public:
    std::unique_ptr<Buffer> take(qsizetype bytes)
    {
        {
            // The buffer given back last is the likeliest still in the cache.
            const QMutexLocker lock(&mutex_);
            for (auto it = free_.rbegin(); it != free_.rend(); ++it) {
                if ((*it)->bytes() == bytes) {
                    std::unique_ptr<Buffer> buffer = std::move(*it);
                    free_.erase(std::next(it).base());
                    return buffer;
                }
            }
        }
        return Buffer::make(bytes);
    }

    void giveBack(std::unique_ptr<Buffer> buffer)
    {
        const QMutexLocker lock(&mutex_);
        // Buffers of another size than the newest are of no more use.
        if (!free_.empty() && free_.front()->bytes() != buffer->bytes())
            free_.clear();
        if (free_.size() < MostKept)
            free_.push_back(std::move(buffer));
    }

private:
    QMutex mutex_;
    std::vector<std::unique_ptr<Buffer>> free_;
};

// Never destroyed: images may outlive every other object of the program.
Pool &pool()
{
    static auto *instance = new Pool;
    return *instance;
}

void giveBack(void *buffer)
{
    pool().giveBack(std::unique_ptr<Buffer>(static_cast<Buffer *>(buffer)));
}

} // namespace

QImage rgb32(int width, int height)
{
    if (width <= 0 || height <= 0)
        return {};
    const qsizetype bytes = qsizetype(width) * 4 * height;
    if (bytes < SmallestKept)
        return QImage(width, height, QImage::Format_RGB32);
    std::unique_ptr<Buffer> buffer = pool().take(bytes);
    if (!buffer)
        return {};
    uchar *data = buffer->data();
    Buffer *owner = buffer.release();
    QImage image(data, width, height, qsizetype(width) * 4, QImage::Format_RGB32, giveBack, owner);
    if (image.isNull())
        giveBack(owner);
    return image;
}

} // namespace ImageBuffers
