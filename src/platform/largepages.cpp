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
    const quintptr at = reinterpret_cast<quintptr>(from);
    const quintptr begin = at - at % page;
    // Older kernels refuse the advice; the mapping then faults in as it is read.
    madvise(reinterpret_cast<void *>(begin), size_t(at - begin + quintptr(bytes)), MADV_POPULATE_READ);
#else
    Q_UNUSED(from);
    Q_UNUSED(bytes);
#endif
}

} // namespace zarvelo
