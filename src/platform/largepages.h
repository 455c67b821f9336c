#pragma once

#include <QtGlobal>

namespace zarvelo {

/** Asks the system to back a big buffer that is about to be written with
    large pages. Fresh memory faulted in 4 KiB at a time costs more than a
    pass of the conversion or the code page over it; small buffers, and
    systems without large pages, are left alone. */
void adviseLargePages(void *from, qsizetype bytes);

/** Asks the system to map a big read-only file mapping in one go, rather
    than page by page as it is read. */
void adviseReadWhole(const void *from, qsizetype bytes);

} // namespace zarvelo
