#include "platform/largepages.h"

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace zarvelo {

namespace {
constexpr quintptr kLargePage = 2 * 1024 * 1024;
}

void adviseLargePages(void *from, qsizetype bytes)
{
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    if (bytes < qsizetype(4 * kLargePage))
        return;
    // Only whole large pages inside the buffer can be advised.
    char *first = static_cast<char *>(from);
    char *last = first + bytes;
    char *begin = first + (kLargePage - quintptr(first) % kLargePage) % kLargePage;
    char *end = last - quintptr(last) % kLargePage;
    if (end > begin)
        madvise(begin, size_t(end - begin), MADV_HUGEPAGE);
#else
    Q_UNUSED(from);
    Q_UNUSED(bytes);
#endif
}

void adviseReadWhole(const void *from, qsizetype bytes)
{
#if defined(__linux__) && defined(MADV_POPULATE_READ)
    // The advice takes whole pages: start at the page that holds from.
    const quintptr page = 4096;
    const quintptr offset = reinterpret_cast<quintptr>(from) % page;
    auto *begin = const_cast<char *>(static_cast<const char *>(from)) - offset;
    // Older kernels refuse the advice; the mapping then faults in as it is read.
    madvise(begin, size_t(offset + quintptr(bytes)), MADV_POPULATE_READ);
#else
    Q_UNUSED(from);
    Q_UNUSED(bytes);
#endif
}

} // namespace zarvelo
