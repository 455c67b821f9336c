// Any post and search text, with any options: the matcher finds exactly the
// ranges a plain matcher finds, which folds the whole post, compares the
// search text at every place, maps each match back and checks it against
// the post's graphemes, words and tags read in full.
#include "highlight/markupscan.h"
#include "search/textmatch.h"

#include <QTextBoundaryFinder>

#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace zarvelo;

namespace {

// Letters that fold together, harakat, tatweel, digits, tags with values and
// without, line breaks and emoji with their joiners, modifiers and selectors.
const char16_t *const kAlphabet[] = {
    u"ا", u"أ", u"إ",      u"آ", u"ٱ",       u"ى",     u"ي",        u"ة",    u"ه",      u"س",
    u"ل", u"م", u"َ",       u"ُ",  u"ّ",        u"ْ",      u"ٰ",         u"ً",     u"ٓ",       u"ـ",
    u"١", u"1", u"۱",      u"a", u"A",       u"ü",     u"Ü",        u"_",    u" ",      u"[",
    u"]", u"/", u"=",      u"B", u"\r",      u"\n",    u"👍",        u"🏽", u"\u200D", u"\uFE0F",
    u"❤", u"👨", u"\u0301", u"!", u"[COLOR=", u"[URL=", u"[/COLOR]", u"[/B]",
};

class PlainMatcher
{
public:
    PlainMatcher(const QString &searchText, const MatchOptions &options)
        : m_options(options)
    {
        for (const QChar c : searchText) {
            if (!passesOver(c))
                m_needle += fold(c);
        }
    }

    QList<TextRange> findAll(const QString &text, const QList<TextRange> &markup) const
    {
        QString folded;
        std::vector<qsizetype> from;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!passesOver(text[i])) {
                folded += fold(text[i]);
                from.push_back(i);
            }
        }
        std::vector<bool> cuttable(size_t(text.size() + 1), false);
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
        for (qsizetype at = 0; at >= 0; at = graphemes.toNextBoundary())
            cuttable[size_t(at)] = true;
        // Stretches that touch make one; a place strictly inside one is in a tag.
        QList<TextRange> merged;
        for (const TextRange &stretch : markup) {
            if (!merged.isEmpty() && merged.last().end() == stretch.start)
                merged.last().length += stretch.length;
            else
                merged.append(stretch);
        }
        std::vector<bool> inTag(size_t(text.size() + 1), false);
        for (const TextRange &stretch : std::as_const(merged)) {
            for (qsizetype at = stretch.start + 1; at < stretch.end(); ++at)
                inTag[size_t(at)] = true;
        }
        QList<TextRange> found;
        const qsizetype n = m_needle.size();
        for (qsizetype k = 0; n > 0 && k + n <= folded.size(); ++k) {
            if (QStringView(folded).mid(k, n) != m_needle)
                continue;
            const qsizetype start = from[size_t(k)];
            qsizetype end = from[size_t(k + n - 1)] + 1;
            while (end < text.size() && passesOver(text[end]))
                ++end;
            const auto cut = [&](qsizetype at) {
                if (cuttable[size_t(at)])
                    return true;
                const char32_t c = text.mid(at).toUcs4().value(0);
                return QChar::category(c) == QChar::Mark_NonSpacing && !(c >= 0xFE00 && c <= 0xFE0F);
            };
            const auto word = [&](qsizetype at, bool before) {
                if (before ? at == 0 : at == text.size())
                    return false;
                const QList<uint> c = before ? text.left(at).toUcs4() : text.mid(at).toUcs4();
                const char32_t cp = before ? c.last() : c.first();
                return cp == u'_' || QChar::isLetterOrNumber(cp) || QChar::isMark(cp);
            };
            if (!cut(start) || !cut(end))
                continue;
            if (m_options.wholeWord && (word(start, true) || word(end, false)))
                continue;
            if (m_options.skipTags && (inTag[size_t(start)] || inTag[size_t(end)]))
                continue;
            found.append({start, end - start});
            k += n - 1;
        }
        return found;
    }

private:
    bool passesOver(QChar c) const
    {
        static const QString harakat = QStringLiteral(u"\u064B\u064C\u064D\u064E\u064F\u0650\u0651\u0652"
                                                      u"\u0656\u0657\u0658\u0659\u065A\u065B\u065C\u065D"
                                                      u"\u065E\u065F\u0670");
        return (m_options.ignoreHarakat && harakat.contains(c)) || (m_options.ignoreTatweel && c == u'ـ');
    }

    QChar fold(QChar c) const
    {
        if (m_options.alefForms && QStringView(u"أإآٱ").contains(c))
            return u'ا';
        if (m_options.yehForms && c == u'ى')
            return u'ي';
        if (m_options.tehMarbuta && c == u'ة')
            return u'ه';
        if (m_options.ignoreHarakat && QStringView(u"٠١٢٣٤٥٦٧٨٩۰۱۲۳۴۵۶۷۸۹").contains(c))
            return QChar(u'0' + c.digitValue());
        if (!m_options.matchCase && !c.isSurrogate())
            return c.toCaseFolded();
        return c;
    }

    MatchOptions m_options;
    QString m_needle;
};

QString pick(const uint8_t *data, size_t size)
{
    QString text;
    for (size_t i = 0; i < size; ++i)
        text += QString::fromUtf16(kAlphabet[data[i] % std::size(kAlphabet)]);
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 2)
        return 0;
    const uint8_t flags = data[0];
    MatchOptions options;
    options.ignoreHarakat = flags & 1;
    options.ignoreTatweel = flags & 2;
    options.alefForms = flags & 4;
    options.yehForms = flags & 8;
    options.tehMarbuta = flags & 16;
    options.matchCase = flags & 32;
    options.wholeWord = flags & 64;
    options.skipTags = flags & 128;
    const size_t needleSize = qMin<size_t>(data[1] % 6, size - 2);
    const QString searchText = pick(data + 2, needleSize);
    const QString post = pick(data + 2 + needleSize, size - 2 - needleSize);

    const MarkupFinder highlighted = [](QStringView line, QList<TextRange> &stretches) {
        OpenTagCounts open{};
        QList<MarkupSpan> spans;
        scanMarkup(line, open, spans);
        for (const MarkupSpan &span : std::as_const(spans))
            stretches.append({span.start, span.length});
    };
    const QList<TextRange> markup = postMarkup(post, highlighted);
    const QList<TextRange> found = TextMatcher(searchText, options).findAll(post, markup);
    if (found != PlainMatcher(searchText, options).findAll(post, markup))
        std::abort();
    return 0;
}
