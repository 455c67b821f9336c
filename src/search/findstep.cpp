#include "search/findstep.h"

namespace zarvelo {

FindStep findStep(QStringView post, QStringView searchText, qsizetype start)
{
    FindStep step;
    step.nextStart = start;
    if (searchText.isEmpty())
        return step;
    // A start before the first character counts from the first; one past the
    // end (the post was shortened since the last match) finds nothing.
    const qsizetype from = qMax<qsizetype>(start, 1) - 1;
    const qsizetype index = from > post.size() ? -1 : post.indexOf(searchText, from, Qt::CaseSensitive);
    if (index < 0) {
        step.outcome = FindStep::NotFound;
        return step;
    }
    step.outcome = FindStep::Found;
    step.found = index + 1;
    step.nextStart = step.found + searchText.size();
    return step;
}

} // namespace zarvelo
