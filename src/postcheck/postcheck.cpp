#include "postcheck/postcheck.h"

#include "highlight/markupscan.h"
#include "livepreview/postcount.h"
#include "platform/isolate.h"

#include <QHash>

#include <algorithm>
#include <array>
#include <iterator>
#include <vector>

namespace zarvelo {

namespace {

// The colour names of HTML, which the browser and the live preview both
// understand, in lower case and in order.
constexpr QStringView kColorNames[] = {
    u"aliceblue",
    u"antiquewhite",
    u"aqua",
    u"aquamarine",
    u"azure",
    u"beige",
    u"bisque",
    u"black",
    u"blanchedalmond",
    u"blue",
    u"blueviolet",
    u"brown",
    u"burlywood",
    u"cadetblue",
    u"chartreuse",
    u"chocolate",
    u"coral",
    u"cornflowerblue",
    u"cornsilk",
    u"crimson",
    u"cyan",
    u"darkblue",
    u"darkcyan",
    u"darkgoldenrod",
    u"darkgray",
    u"darkgreen",
    u"darkgrey",
    u"darkkhaki",
    u"darkmagenta",
    u"darkolivegreen",
    u"darkorange",
    u"darkorchid",
    u"darkred",
    u"darksalmon",
    u"darkseagreen",
    u"darkslateblue",
    u"darkslategray",
    u"darkslategrey",
    u"darkturquoise",
    u"darkviolet",
    u"deeppink",
    u"deepskyblue",
    u"dimgray",
    u"dimgrey",
    u"dodgerblue",
    u"firebrick",
    u"floralwhite",
    u"forestgreen",
    u"fuchsia",
    u"gainsboro",
    u"ghostwhite",
    u"gold",
    u"goldenrod",
    u"gray",
    u"green",
    u"greenyellow",
    u"grey",
    u"honeydew",
    u"hotpink",
    u"indianred",
    u"indigo",
    u"ivory",
    u"khaki",
    u"lavender",
    u"lavenderblush",
    u"lawngreen",
    u"lemonchiffon",
    u"lightblue",
    u"lightcoral",
    u"lightcyan",
    u"lightgoldenrodyellow",
    u"lightgray",
    u"lightgreen",
    u"lightgrey",
    u"lightpink",
    u"lightsalmon",
    u"lightseagreen",
    u"lightskyblue",
    u"lightslategray",
    u"lightslategrey",
    u"lightsteelblue",
    u"lightyellow",
    u"lime",
    u"limegreen",
    u"linen",
    u"magenta",
    u"maroon",
    u"mediumaquamarine",
    u"mediumblue",
    u"mediumorchid",
    u"mediumpurple",
    u"mediumseagreen",
    u"mediumslateblue",
    u"mediumspringgreen",
    u"mediumturquoise",
    u"mediumvioletred",
    u"midnightblue",
    u"mintcream",
    u"mistyrose",
    u"moccasin",
    u"navajowhite",
    u"navy",
    u"oldlace",
    u"olive",
    u"olivedrab",
    u"orange",
    u"orangered",
    u"orchid",
    u"palegoldenrod",
    u"palegreen",
    u"paleturquoise",
    u"palevioletred",
    u"papayawhip",
    u"peachpuff",
    u"peru",
    u"pink",
    u"plum",
    u"powderblue",
    u"purple",
    u"red",
    u"rosybrown",
    u"royalblue",
    u"saddlebrown",
    u"salmon",
    u"sandybrown",
    u"seagreen",
    u"seashell",
    u"sienna",
    u"silver",
    u"skyblue",
    u"slateblue",
    u"slategray",
    u"slategrey",
    u"snow",
    u"springgreen",
    u"steelblue",
    u"tan",
    u"teal",
    u"thistle",
    u"tomato",
    u"turquoise",
    u"violet",
    u"wheat",
    u"white",
    u"whitesmoke",
    u"yellow",
    u"yellowgreen",
};

bool isAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isSixHexDigits(QStringView text)
{
    return text.size() == 6 && std::all_of(text.begin(), text.end(), [](QChar c) {
               return isAsciiDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
           });
}

bool isGoodColor(QStringView value)
{
    return (value.startsWith(u'#') && isSixHexDigits(value.mid(1))) || isColorName(value);
}

bool isGoodSize(QStringView value)
{
    if (value.isEmpty() || !std::all_of(value.begin(), value.end(), isAsciiDigit))
        return false;
    const int size = value.toInt();
    return size >= 1 && size <= 7;
}

bool endsValue(QChar c)
{
    return c == u']' || c == u'[' || c == u'\r' || c == u'\n';
}

bool isQuoteMark(QChar c)
{
    return c == u'\'' || c == u'"';
}

// A name in quotes opens and closes with the same mark; one mark without its
// partner makes the browser read the rest of the page as the name.
bool quotesBalance(QStringView name)
{
    if (name.count(u'\'') % 2 != 0 || name.count(u'"') % 2 != 0)
        return false;
    if (name.isEmpty() || (!isQuoteMark(name.front()) && !isQuoteMark(name.back())))
        return true;
    return name.size() >= 2 && name.front() == name.back();
}

enum class Scheme { None, Web, OtherAllowed, Foreign };

Scheme schemeOf(QStringView address)
{
    for (QStringView web : {u"http://", u"https://"}) {
        if (address.startsWith(web, Qt::CaseInsensitive))
            return Scheme::Web;
    }
    for (QStringView other : {u"ftp://", u"mailto:"}) {
        if (address.startsWith(other, Qt::CaseInsensitive))
            return Scheme::OtherAllowed;
    }
    // Another scheme is letters, digits, "+" and "-" up to a ":"; a digit
    // after the ":" makes it a host and its port ("localhost:8080").
    if (address.isEmpty() || !isAsciiLetter(address.front()))
        return Scheme::None;
    qsizetype k = 1;
    while (k < address.size()
           && (isAsciiLetter(address[k]) || isAsciiDigit(address[k]) || address[k] == u'+'
               || address[k] == u'-'))
        ++k;
    if (k < address.size() && address[k] == u':' && !(k + 1 < address.size() && isAsciiDigit(address[k + 1])))
        return Scheme::Foreign;
    return Scheme::None;
}

/** Where each line break at or after a position is, asked in rising order. */
class ParagraphEnds final
{
public:
    explicit ParagraphEnds(QStringView post)
        : m_post(post)
    {}

    qsizetype after(qsizetype at)
    {
        if (at <= m_end && at >= m_from)
            return m_end;
        m_from = at;
        m_end = at;
        while (m_end < m_post.size() && m_post[m_end] != u'\r' && m_post[m_end] != u'\n')
            ++m_end;
        return m_end;
    }

private:
    QStringView m_post;
    qsizetype m_from = 1;
    qsizetype m_end = 0;
};

/**
 * The check's one pass over the tags. Open tags stand on a stack kept as a
 * list linked through their positions in m_opened, so that a tag closed out
 * of turn leaves from the middle at once; the tags of each kind that are open
 * are listed apart, so the innermost of a kind is found at once too.
 */
class Checker final
{
public:
    Checker(QStringView post, const ForumLimits &limits)
        : m_post(post)
        , m_limits(limits)
    {}

    PostCheck run();

private:
    struct Opened
    {
        MarkupTag tag;
        qsizetype token = 0; // in m_tags
        int below = -1;
        int above = -1;
        qsizetype problemsFrom = 0;
    };
    struct Pair
    {
        qsizetype openStart;
        qsizetype openEnd;
        qsizetype closeEnd;
    };

    void open(qsizetype token);
    void closeTop(qsizetype token);
    qsizetype misnested(qsizetype at);
    void unclosed();
    PostProblem &add(PostProblemKind kind, qsizetype start, qsizetype length,
                     std::optional<PostEdit> fix = {});
    void checkAddress(qsizetype start, qsizetype length, bool image, bool fixable);
    void checkContentAddress(const Opened &opened, const MarkupTag &close);
    std::optional<PostEdit> removal(qsizetype start, qsizetype length) const;
    void pop(int id);
    void taintAbove(int id);
    bool tainted(int id) const;
    QStringView textOf(const MarkupTag &tag) const { return m_post.mid(tag.start, tag.end() - tag.start); }
    QString closingFor(const MarkupTag &open) const;
    void numberLines();

    QStringView m_post;
    const ForumLimits &m_limits;
    QList<MarkupTag> m_tags;
    // For each tag, the stretches of text before it: two tags with none
    // between them show nothing between them.
    std::vector<qsizetype> m_gaps;
    std::vector<Opened> m_opened;
    int m_top = -1;
    std::array<std::vector<int>, kMarkupTagKinds> m_openOfKind;
    std::vector<std::pair<int, int>> m_taints; // ids in (first, second], disjoint and rising
    std::vector<Pair> m_pairs;
    PostCheck m_check;
};

PostCheck Checker::run()
{
    MarkupTag tag;
    for (qsizetype from = 0; nextMarkupTag(m_post, from, tag); from = tag.end()) {
        const bool joined = !m_tags.isEmpty() && m_tags.back().end() == tag.start;
        m_gaps.push_back((m_gaps.empty() ? 0 : m_gaps.back()) + (joined ? 0 : 1));
        m_tags.append(tag);
    }
    for (qsizetype at = 0; at < m_tags.size();) {
        const MarkupTag &t = m_tags[at];
        const std::vector<int> &ofKind = m_openOfKind[t.kind];
        if (!t.closing) {
            open(at);
            ++at;
        } else if (ofKind.empty()) {
            add(PostProblemKind::StrayClose, t.start, t.nameLength, removal(t.start, t.nameLength));
            ++at;
        } else if (ofKind.back() == m_top) {
            closeTop(at);
            ++at;
        } else {
            at += misnested(at);
        }
    }
    unclosed();
    const qsizetype length = countPost(m_post).characters;
    if (length > m_limits.characters)
        add(PostProblemKind::TooLong, m_limits.characters, length - m_limits.characters);
    std::stable_sort(m_check.problems.begin(), m_check.problems.end(),
                     [](const PostProblem &a, const PostProblem &b) { return a.start < b.start; });
    numberLines();
    return std::move(m_check);
}

PostProblem &Checker::add(PostProblemKind kind, qsizetype start, qsizetype length,
                          std::optional<PostEdit> fix)
{
    PostProblem problem;
    problem.kind = kind;
    problem.start = start;
    problem.length = length;
    problem.fix = std::move(fix);
    m_check.problems.append(std::move(problem));
    return m_check.problems.back();
}

void Checker::open(qsizetype token)
{
    const MarkupTag &tag = m_tags[token];
    const qsizetype problemsFrom = m_check.problems.size();
    const QStringView value = m_post.mid(tag.valueStart(), tag.valueLength);
    const qsizetype length = tag.end() - tag.start;
    switch (tag.kind) {
    case ColorTag:
        if (!isGoodColor(value)) {
            std::optional<PostEdit> fix;
            if (isSixHexDigits(value))
                fix = PostEdit{tag.valueStart(), 0, QStringLiteral("#")};
            add(PostProblemKind::BadColor, tag.start, length, fix);
        }
        break;
    case SizeTag:
        if (!isGoodSize(value))
            add(PostProblemKind::BadSize, tag.start, length);
        break;
    case FontTag:
        if (!quotesBalance(value))
            add(PostProblemKind::FontQuote, tag.start, length);
        break;
    case LinkTag: {
        // "[URL=address]"; "[URL]" takes the text up to "[/URL]" as its address.
        const bool withEquals = m_post[tag.start + tag.nameLength - 1] == u'=';
        if (withEquals || tag.valueLength > 0)
            checkAddress(tag.valueStart(), tag.valueLength, false, withEquals);
        break;
    }
    case QuoteTag:
        if (int(m_openOfKind[QuoteTag].size()) + 1 > m_limits.quoteDepth)
            add(PostProblemKind::QuoteTooDeep, tag.start, length);
        break;
    default:
        break;
    }
    Opened opened;
    opened.tag = tag;
    opened.token = token;
    opened.below = m_top;
    opened.problemsFrom = problemsFrom;
    const int id = int(m_opened.size());
    if (m_top >= 0)
        m_opened[size_t(m_top)].above = id;
    m_opened.push_back(opened);
    m_top = id;
    m_openOfKind[tag.kind].push_back(id);
}

void Checker::checkAddress(qsizetype start, qsizetype length, bool image, bool fixable)
{
    const QStringView address = m_post.mid(start, length);
    const bool spaces = std::any_of(address.begin(), address.end(), [](QChar c) { return c.isSpace(); });
    if (spaces && !image)
        add(PostProblemKind::LinkSpaces, start, length);
    const Scheme scheme = schemeOf(address);
    if (scheme == Scheme::Web || (!image && scheme == Scheme::OtherAllowed))
        return;
    std::optional<PostEdit> fix;
    if (fixable && scheme == Scheme::None && !address.isEmpty() && !spaces)
        fix = PostEdit{start, 0,
                       address.startsWith(u"//") ? QStringLiteral("http:") : QStringLiteral("http://")};
    add(image ? PostProblemKind::ImageAddress : PostProblemKind::LinkScheme, start, length, fix);
}

void Checker::checkContentAddress(const Opened &opened, const MarkupTag &close)
{
    const MarkupTag &tag = opened.tag;
    const qsizetype from = tag.end();
    if (close.start <= from)
        return;
    if (tag.kind == ImageTag)
        checkAddress(from, close.start - from, true, true);
    else if (tag.kind == LinkTag && tag.valueLength == 0 && m_post[tag.start + tag.nameLength - 1] != u'=')
        checkAddress(from, close.start - from, false, true);
}

std::optional<PostEdit> Checker::removal(qsizetype start, qsizetype length) const
{
    // Taking the text away must not join a "[" before it to the text after
    // it into a tag that was not there ("[[/U]B]"): that is no obvious fix.
    // Nor may it lengthen the value of a tag that it ends ("[COLOR=red[/U]]").
    const auto next = std::lower_bound(m_tags.cbegin(), m_tags.cend(), start,
                                       [](const MarkupTag &tag, qsizetype at) { return tag.start < at; });
    if (next != m_tags.cbegin()) {
        const MarkupTag &before = *std::prev(next);
        const qsizetype after = start + length;
        if (before.valued && !before.bracket && before.end() == start && after < m_post.size()
            && (m_post[after] == u']' || !endsValue(m_post[after])))
            return std::nullopt;
    }
    // No tag's name is longer than 9 characters.
    const qsizetype from = std::max<qsizetype>(0, start - 9);
    const qsizetype bracket = m_post.mid(from, start - from).lastIndexOf(u'[');
    if (bracket >= 0) {
        const qsizetype seam = start - from - bracket;
        QString joined = m_post.mid(from + bracket, seam).toString();
        joined += m_post.mid(start + length, 10);
        MarkupTag tag;
        if (nextMarkupTag(joined, 0, tag) && tag.start == 0 && tag.nameLength > seam)
            return std::nullopt;
    }
    return PostEdit{start, length, {}};
}

void Checker::pop(int id)
{
    Opened &opened = m_opened[size_t(id)];
    if (opened.below >= 0)
        m_opened[size_t(opened.below)].above = opened.above;
    if (opened.above >= 0)
        m_opened[size_t(opened.above)].below = opened.below;
    else
        m_top = opened.below;
    std::vector<int> &ofKind = m_openOfKind[opened.tag.kind];
    ofKind.erase(std::find(ofKind.rbegin(), ofKind.rend(), id).base() - 1);
}

void Checker::closeTop(qsizetype token)
{
    const MarkupTag &tag = m_tags[token];
    const int id = m_top;
    pop(id);
    const Opened &opened = m_opened[size_t(id)];
    m_pairs.push_back({opened.tag.start, opened.tag.end(), tag.end()});
    checkContentAddress(opened, tag);
    if (m_gaps[size_t(token)] != m_gaps[size_t(opened.token)]) {
        if (!tainted(id))
            m_check.rightPairs.append({opened.tag.start, tag.start});
        return;
    }
    // Nothing but tags between them; the empty pairs inside are part of it.
    QList<PostProblem> &problems = m_check.problems;
    problems.erase(std::remove_if(problems.begin() + opened.problemsFrom, problems.end(),
                                  [](const PostProblem &p) { return p.kind == PostProblemKind::EmptyPair; }),
                   problems.end());
    const qsizetype length = tag.end() - opened.tag.start;
    // Taking it away must not take the closing tag of one opened outside it.
    add(PostProblemKind::EmptyPair, opened.tag.start, length,
        tainted(id) ? std::nullopt : removal(opened.tag.start, length));
}

qsizetype Checker::misnested(qsizetype at)
{
    // The closing tags that follow one another from here mend the nesting
    // when their first m close the m innermost open tags in another order.
    qsizetype runEnd = at + 1;
    while (runEnd < m_tags.size() && m_tags[runEnd].closing
           && m_tags[runEnd].start == m_tags[runEnd - 1].end())
        ++runEnd;
    std::array<int, kMarkupTagKinds> balance{};
    int unbalanced = 0;
    const auto bump = [&](int kind, int by) {
        const int before = balance[size_t(kind)];
        balance[size_t(kind)] += by;
        unbalanced += (balance[size_t(kind)] != 0) - (before != 0);
    };
    qsizetype m = 0;
    for (int id = m_top; id >= 0 && at + m < runEnd; id = m_opened[size_t(id)].below) {
        bump(m_tags[at + m].kind, 1);
        bump(m_opened[size_t(id)].tag.kind, -1);
        ++m;
        if (unbalanced == 0)
            break;
    }
    const MarkupTag &first = m_tags[at];
    if (unbalanced != 0) {
        // Closed out of turn: the tags opened inside it stand wrong from now on.
        PostProblem &problem = add(PostProblemKind::Misnested, first.start, first.nameLength);
        problem.other = textOf(m_opened[size_t(m_top)].tag).toString();
        const int id = m_openOfKind[first.kind].back();
        const Opened &opened = m_opened[size_t(id)];
        m_pairs.push_back({opened.tag.start, opened.tag.end(), first.end()});
        taintAbove(id);
        pop(id);
        return 1;
    }
    // Innermost first, each closing tag keeping its own letters.
    QString reordered;
    std::vector<bool> used(size_t(m), false);
    for (qsizetype k = 0; k < m; ++k) {
        const int id = m_top;
        const Opened &opened = m_opened[size_t(id)];
        qsizetype c = 0;
        while (used[size_t(c)] || m_tags[at + c].kind != opened.tag.kind)
            ++c;
        used[size_t(c)] = true;
        reordered += textOf(m_tags[at + c]);
        m_pairs.push_back({opened.tag.start, opened.tag.end(), m_tags[at + c].end()});
        pop(id);
    }
    const qsizetype length = m_tags[at + m - 1].end() - first.start;
    add(PostProblemKind::Misnested, first.start, length, PostEdit{first.start, length, reordered});
    return m;
}

void Checker::taintAbove(int id)
{
    const int top = int(m_opened.size()) - 1;
    while (!m_taints.empty() && m_taints.back().first >= id)
        m_taints.pop_back();
    if (!m_taints.empty() && m_taints.back().second >= id)
        m_taints.back().second = top;
    else
        m_taints.emplace_back(id, top);
}

bool Checker::tainted(int id) const
{
    const auto after =
        std::lower_bound(m_taints.begin(), m_taints.end(), id,
                         [](const std::pair<int, int> &range, int at) { return range.first < at; });
    return after != m_taints.begin() && std::prev(after)->second >= id;
}

QString Checker::closingFor(const MarkupTag &open) const
{
    // "[img]" is closed by "[/img]", as the tag buttons write them.
    const QString closing = closingTagText(open.kind).toString();
    const QChar letter = m_post[open.start + 1];
    return letter >= u'a' && letter <= u'z' ? closing.toLower() : closing;
}

void Checker::unclosed()
{
    // Pairs that run past the end of the paragraph they open in: a tag
    // closed at its paragraph's end must close before such a pair opens.
    std::sort(m_pairs.begin(), m_pairs.end(),
              [](const Pair &a, const Pair &b) { return a.openStart < b.openStart; });
    std::vector<qsizetype> crossing;
    ParagraphEnds pairEnds(m_post);
    for (const Pair &pair : m_pairs) {
        if (pair.closeEnd > pairEnds.after(pair.openEnd))
            crossing.push_back(pair.openStart);
    }
    std::vector<int> open;
    for (int id = m_top; id >= 0; id = m_opened[size_t(id)].below)
        open.push_back(id);
    std::vector<qsizetype> ends(open.size());
    ParagraphEnds paragraphEnds(m_post);
    for (size_t k = open.size(); k-- > 0;)
        ends[k] = paragraphEnds.after(m_opened[size_t(open[k])].tag.end());
    // From the innermost out: an open tag with nothing after it is taken
    // away, and the tags around it close before it; the closing tags that
    // meet at one place go in innermost first, in one fix.
    qsizetype removedAt = -1;
    QHash<qsizetype, QString> closingAt;
    for (size_t k = 0; k < open.size(); ++k) {
        const MarkupTag &tag = m_opened[size_t(open[k])].tag;
        qsizetype at = ends[k];
        const auto next = std::lower_bound(crossing.begin(), crossing.end(), tag.end());
        if (next != crossing.end() && *next < at)
            at = *next;
        if (removedAt >= tag.end() && removedAt < at)
            at = removedAt;
        const qsizetype length = tag.end() - tag.start;
        if (at == tag.end()) {
            removedAt = tag.start;
            add(PostProblemKind::Unclosed, tag.start, length, removal(tag.start, length));
            continue;
        }
        QString &closing = closingAt[at];
        closing += closingFor(tag);
        add(PostProblemKind::Unclosed, tag.start, length, PostEdit{at, 0, closing});
    }
}

void Checker::numberLines()
{
    int line = 1;
    qsizetype at = 0;
    for (PostProblem &problem : m_check.problems) {
        for (; at < problem.start; ++at) {
            const QChar c = m_post[at];
            if (c == u'\r' || (c == u'\n' && !(at > 0 && m_post[at - 1] == u'\r')))
                ++line;
        }
        problem.line = line;
    }
}

QString number(qint64 value)
{
    return isolated(value);
}

} // namespace

bool isColorName(QStringView name)
{
    const QString lower = name.toString().toLower();
    return std::binary_search(std::begin(kColorNames), std::end(kColorNames), QStringView(lower));
}

PostCheck checkPost(QStringView post, const ForumLimits &limits)
{
    return Checker(post, limits).run();
}

QString problemDescription(const PostProblem &problem, const ForumLimits &limits)
{
    switch (problem.kind) {
    case PostProblemKind::Unclosed:
        return QStringLiteral("وسم مفتوح لا يُغلق، فكل ما بعده يأخذ تنسيقه");
    case PostProblemKind::StrayClose:
        return QStringLiteral("وسم إغلاق لا يسبقه وسم مفتوح من نوعه");
    case PostProblemKind::Misnested:
        if (problem.other.isEmpty())
            return QStringLiteral("وسوم إغلاق ليست بعكس ترتيب فتحها");
        // A link's tag can be long: its start names it well enough.
        return QStringLiteral("أُغلق قبل %1 المفتوح بعده")
            .arg(isolatedPath(problem.other.size() > 30 ? problem.other.left(29) + QStringLiteral("…")
                                                        : problem.other));
    case PostProblemKind::EmptyPair:
        return QStringLiteral("وسمان لا شيء بينهما");
    case PostProblemKind::BadColor:
        return QStringLiteral("لون لا يعرفه المنتدى: اكتبه # وست خانات ست عشرية أو اسم لون");
    case PostProblemKind::BadSize:
        return QStringLiteral("حجم خارج المدى من 1 إلى 7");
    case PostProblemKind::FontQuote:
        return QStringLiteral("علامة تنصيص بلا مقابل في اسم الخط");
    case PostProblemKind::LinkSpaces:
        return QStringLiteral("في عنوان الرابط مسافات");
    case PostProblemKind::LinkScheme:
        return QStringLiteral("عنوان الرابط لا يبدأ بـ http أو https أو ftp أو mailto");
    case PostProblemKind::ImageAddress:
        return QStringLiteral("عنوان الصورة لا يبدأ بـ http أو https");
    case PostProblemKind::QuoteTooDeep:
        return QStringLiteral("اقتباس داخل اقتباس أعمق من %1 مستويات").arg(number(limits.quoteDepth));
    case PostProblemKind::TooLong:
        return QStringLiteral("المشاركة أطول من حد المنتدى (%1 حرف) بـ %2 حرف")
            .arg(number(limits.characters), number(problem.length));
    }
    return {};
}

QString withEdits(QString text, const QList<PostEdit> &edits)
{
    for (const PostEdit &edit : edits)
        text.replace(edit.start, edit.length, edit.text);
    return text;
}

QList<PostEdit> fixEverything(QStringView post, const ForumLimits &limits)
{
    // A fix can bring another to light (closing tags put in order may turn
    // out to close nothing), so the check runs again until nothing is left
    // to fix; fixes that touch one another wait for the next round.
    constexpr int kRounds = 64;
    QList<PostEdit> all;
    QString text = post.toString();
    for (int round = 0; round < kRounds; ++round) {
        const PostCheck check = checkPost(text, limits);
        std::vector<const PostEdit *> fixes;
        for (const PostProblem &problem : check.problems) {
            if (problem.fix)
                fixes.push_back(&*problem.fix);
        }
        if (fixes.empty())
            break;
        // At one place an insertion goes before a removal; of two insertions
        // there, the first (the outermost tag's, which closes the inner ones
        // too) is made.
        std::stable_sort(fixes.begin(), fixes.end(), [](const PostEdit *a, const PostEdit *b) {
            return a->start != b->start ? a->start < b->start : a->length < b->length;
        });
        std::vector<const PostEdit *> taken;
        qsizetype reached = 0;
        qsizetype insertedAt = -1;
        for (const PostEdit *fix : fixes) {
            if (fix->start < reached || (fix->length == 0 && fix->start == insertedAt))
                continue;
            taken.push_back(fix);
            reached = fix->start + fix->length;
            if (fix->length == 0)
                insertedAt = fix->start;
        }
        // The text afresh in one pass; the edits from the last, so that each
        // stands where the ones before it left the text.
        QString fixed;
        fixed.reserve(text.size() + 64);
        qsizetype copied = 0;
        for (const PostEdit *fix : taken) {
            fixed += QStringView(text).mid(copied, fix->start - copied);
            fixed += fix->text;
            copied = fix->start + fix->length;
        }
        fixed += QStringView(text).mid(copied);
        for (auto it = taken.rbegin(); it != taken.rend(); ++it)
            all.append(**it);
        text = std::move(fixed);
    }
    return all;
}

} // namespace zarvelo
