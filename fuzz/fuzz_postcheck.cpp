// The post check on any markup: every problem stands inside the post in
// order; a fix on its own leaves every tag pair that stood right standing
// right; and fixing everything leaves nothing that has a fix. Any breach is
// a crash.
#include "postcheck/postcheck.h"

#include <QSet>

#include <cstdint>
#include <cstdlib>

namespace {

using namespace zarvelo;

QSet<QPair<qsizetype, qsizetype>> pairsOf(const PostCheck &check)
{
    QSet<QPair<qsizetype, qsizetype>> pairs;
    for (const TagPair &pair : check.rightPairs)
        pairs.insert({pair.open, pair.close});
    return pairs;
}

// Where a position outside the edit goes; -1 for one inside it.
qsizetype moved(qsizetype at, const PostEdit &edit)
{
    if (at < edit.start)
        return at;
    if (at < edit.start + edit.length)
        return -1;
    return at - edit.length + edit.text.size();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > 4096)
        return 0;
    const QString post = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const ForumLimits limits{post.size() / 2 + 1, 2};
    const PostCheck check = checkPost(post, limits);
    qsizetype last = 0;
    for (const PostProblem &problem : check.problems) {
        if (problem.start < last || problem.length < 0 || problem.start + problem.length > post.size())
            std::abort();
        last = problem.start;
        if (!problem.fix)
            continue;
        const PostEdit &fix = *problem.fix;
        if (fix.start < 0 || fix.length < 0 || fix.start + fix.length > post.size())
            std::abort();
        const auto after = pairsOf(checkPost(withEdits(post, {fix}), limits));
        for (const TagPair &pair : check.rightPairs) {
            const qsizetype open = moved(pair.open, fix);
            const qsizetype close = moved(pair.close, fix);
            if (open >= 0 && close >= 0 && !after.contains({open, close}))
                std::abort();
        }
    }
    const QString fixed = withEdits(post, fixEverything(post, limits));
    for (const PostProblem &problem : checkPost(fixed, limits).problems) {
        if (problem.fix)
            std::abort();
    }
    return 0;
}
