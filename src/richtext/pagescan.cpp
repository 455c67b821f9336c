#include "richtext/pagescan.h"

#include <QHash>

#include <vector>

namespace zarvelo {

using namespace Qt::StringLiterals;

namespace {

// Tags are read where Qt's reader reads them: every '<' opens one, its name
// runs to a space, '>', '<', '=' or "/>", a value may be quoted, and the
// tag ends at the next '>' after its attributes.

bool endsWord(const QString &html, qsizetype at)
{
    const QChar c = html[at];
    return c.isSpace() || c == u'>' || c == u'<' || c == u'='
        || (c == u'/' && at + 1 < html.size() && html[at + 1] == u'>');
}

qsizetype skipSpace(const QString &html, qsizetype at)
{
    while (at < html.size() && html[at].isSpace())
        ++at;
    return at;
}

/** The end of the word at from: after its closing quote if quoted. */
qsizetype wordEnd(const QString &html, qsizetype from)
{
    if (from < html.size() && (html[from] == u'"' || html[from] == u'\'')) {
        const qsizetype quote = html.indexOf(html[from], from + 1);
        return quote < 0 ? html.size() : quote + 1;
    }
    while (from < html.size() && !endsWord(html, from))
        ++from;
    return from;
}

struct Tag
{
    qsizetype nameFrom = 0;
    qsizetype nameTo = 0;
    qsizetype end = 0;     // after its '>'
    qsizetype srcFrom = 0; // its "src" attribute's value, quoted or not
    qsizetype srcTo = 0;
    bool closing = false;
    bool selfClosed = false;
    bool hidden = false;
};

bool hidingStyle(QStringView attributes)
{
    if (!attributes.contains(u"display", Qt::CaseInsensitive)
        && !attributes.contains(u"mso-hide", Qt::CaseInsensitive))
        return false;
    QString style = attributes.toString().toLower();
    style.remove(u' ').remove(u'\t').remove(u'\n').remove(u'\r');
    return style.contains(u"display:none") || style.contains(u"mso-hide:all");
}

/** The tag whose '<' is at from (not a comment or declaration). */
Tag readTag(const QString &html, qsizetype from)
{
    Tag tag;
    qsizetype at = skipSpace(html, from + 1);
    tag.closing = at < html.size() && html[at] == u'/';
    if (tag.closing)
        at = skipSpace(html, at + 1);
    tag.nameFrom = at;
    tag.nameTo = at = wordEnd(html, at);
    while (!tag.closing) {
        at = skipSpace(html, at);
        if (at >= html.size() || html[at] == u'>' || html[at] == u'/')
            break;
        const qsizetype key = at;
        at = wordEnd(html, at);
        if (at == key)
            break;
        tag.hidden =
            tag.hidden || QStringView(html).mid(key, at - key).compare(u"hidden", Qt::CaseInsensitive) == 0;
        const bool src = QStringView(html).mid(key, at - key).compare(u"src", Qt::CaseInsensitive) == 0;
        at = skipSpace(html, at);
        if (at < html.size() && html[at] == u'=') {
            const qsizetype value = skipSpace(html, at + 1);
            at = wordEnd(html, value);
            if (src) {
                tag.srcFrom = value;
                tag.srcTo = at;
            }
        }
    }
    for (; at < html.size() && html[at] != u'>'; ++at)
        tag.selfClosed = tag.selfClosed || html[at] == u'/';
    tag.end = std::min(at + 1, html.size());
    tag.hidden =
        !tag.closing && (tag.hidden || hidingStyle(QStringView(html).mid(tag.nameTo, at - tag.nameTo)));
    return tag;
}

const QStringList &voidElements()
{
    static const QStringList names{u"br"_s,    u"hr"_s,     u"meta"_s, u"link"_s, u"input"_s,
                                   u"col"_s,   u"wbr"_s,    u"area"_s, u"base"_s, u"embed"_s,
                                   u"param"_s, u"source"_s, u"track"_s};
    return names;
}

/** Block elements Qt's reader does not know, read as divisions. */
const QStringList &newerBlocks()
{
    static const QStringList names{u"section"_s, u"article"_s, u"header"_s, u"footer"_s,     u"nav"_s,
                                   u"main"_s,    u"aside"_s,   u"figure"_s, u"figcaption"_s, u"details"_s,
                                   u"summary"_s, u"hgroup"_s,  u"address"_s};
    return names;
}

/** Elements that start a paragraph of their own in Qt's reading. */
const QStringList &paragraphStarts()
{
    static const QStringList names{u"p"_s,  u"div"_s,    u"li"_s,         u"td"_s,   u"th"_s, u"tr"_s,
                                   u"dd"_s, u"dt"_s,     u"ul"_s,         u"ol"_s,   u"dl"_s, u"h1"_s,
                                   u"h2"_s, u"h3"_s,     u"h4"_s,         u"h5"_s,   u"h6"_s, u"pre"_s,
                                   u"hr"_s, u"center"_s, u"blockquote"_s, u"table"_s};
    return names;
}

const QStringList &inlineElements()
{
    static const QStringList names{u"span"_s, u"b"_s,      u"i"_s,   u"u"_s,    u"a"_s,
                                   u"font"_s, u"strong"_s, u"em"_s,  u"s"_s,    u"small"_s,
                                   u"big"_s,  u"sub"_s,    u"sup"_s, u"code"_s, u"tt"_s};
    return names;
}

/** The elements a list item, table row or cell, or definition may stand
    in: Qt's reader closes all that stands between it and the nearest one. */
QStringList contextOf(const QString &name)
{
    if (name == u"td" || name == u"th")
        return {u"tr"_s};
    if (name == u"tr")
        return {u"table"_s, u"thead"_s, u"tbody"_s, u"tfoot"_s};
    if (name == u"li")
        return {u"ul"_s, u"ol"_s};
    if (name == u"dd")
        return {u"dt"_s, u"dl"_s};
    if (name == u"dt")
        return {u"dl"_s};
    return {};
}

/** The elements open at a point of the page, as Qt's reader nests them
    (near enough: where unsure, deeper). */
class OpenElements final
{
public:
    struct Element
    {
        QString name;
        bool hidden;
    };

    qsizetype depth() const { return qsizetype(m_open.size()); }
    bool inHidden() const { return m_hidden > 0; }

    void open(const QString &name, bool hidden)
    {
        if (const QStringList context = contextOf(name); !context.isEmpty()) {
            qsizetype at = depth() - 1;
            while (at >= 0 && !context.contains(m_open[std::size_t(at)].name))
                --at;
            if (at >= 0)
                popTo(at + 1);
        } else if (name == u"p") {
            // A paragraph closes the one it would stand in, past any words' formats.
            qsizetype at = depth() - 1;
            while (at >= 0 && inlineElements().contains(m_open[std::size_t(at)].name))
                --at;
            if (at >= 0 && m_open[std::size_t(at)].name == u"p")
                popTo(at);
        }
        m_open.push_back({name, hidden});
        ++m_count[name];
        m_hidden += hidden ? 1 : 0;
    }

    /** Closes the latest open element of the name and all it holds, if
        one is open; whether that element was a hidden one. */
    bool close(const QString &name)
    {
        if (m_count.value(name) == 0)
            return false;
        qsizetype at = depth() - 1;
        while (m_open[std::size_t(at)].name != name)
            --at;
        const bool hidden = m_open[std::size_t(at)].hidden;
        popTo(at);
        return hidden;
    }

private:
    void popTo(qsizetype at)
    {
        while (depth() > at) {
            const Element &last = m_open.back();
            --m_count[last.name];
            m_hidden -= last.hidden ? 1 : 0;
            m_open.pop_back();
        }
    }

    std::vector<Element> m_open;
    QHash<QString, qsizetype> m_count;
    qsizetype m_hidden = 0;
};

/** A picture as a mark with its address in a named anchor. Qt's reader
    goes over the whole paragraph so far at each picture it takes in, which
    for many pictures in a long text takes minutes; a name it takes in with
    the text at no cost. src is the attribute's value as the page has it,
    quoted or not: the reader decodes it as it would the picture's. */
void writePicture(QString &page, QStringView src)
{
    page += u"<a name=";
    const bool quoted = src.front() == u'"' || src.front() == u'\'';
    if (quoted)
        page += src.front();
    page += kPictureMark;
    page += src.mid(quoted ? 1 : 0);
    page += u'>';
    page += QChar::ObjectReplacementCharacter;
    page += u"</a>";
}

} // namespace

std::optional<QString> pageForQtReader(const QString &html)
{
    QString page;
    page.reserve(html.size());
    OpenElements open;
    qint64 work = 0;
    qsizetype copied = 0; // the page is read up to here
    const auto keep = [&](qsizetype to) {
        if (!open.inHidden())
            page += QStringView(html).mid(copied, to - copied);
        copied = to;
    };
    for (qsizetype at = html.indexOf(u'<'); at >= 0; at = html.indexOf(u'<', copied)) {
        keep(at);
        const qsizetype mark = skipSpace(html, at + 1);
        if (mark < html.size() && html[mark] == u'!') {
            // A comment ends at "-->", any other declaration at '>'.
            const bool comment = QStringView(html).mid(mark, 3) == u"!--";
            const qsizetype end = comment ? html.indexOf(u"-->", mark + 3) : html.indexOf(u'>', mark);
            keep(end < 0 ? html.size() : end + (comment ? 3 : 1));
            continue;
        }
        const Tag tag = readTag(html, at);
        const QString name = html.mid(tag.nameFrom, tag.nameTo - tag.nameFrom).toLower();
        const bool asDivision = newerBlocks().contains(name);
        const bool paragraph = !tag.closing && (asDivision || paragraphStarts().contains(name));
        work += paragraph ? kParagraphReadingWork : kTagReadingWork;
        if (work > kMostReadingWork)
            return std::nullopt;
        const auto writeTag = [&] {
            if (asDivision) {
                page += QStringView(html).mid(at, tag.nameFrom - at);
                page += u"div";
                page += QStringView(html).mid(tag.nameTo, tag.end - tag.nameTo);
            } else
                page += QStringView(html).mid(at, tag.end - at);
        };
        copied = tag.end;
        if (tag.closing) {
            if (open.close(name) || open.inHidden())
                continue;
            // A division that holds an element ends its line in Qt's reading.
            if (name == u"div" || asDivision)
                page += u"<span></span>";
            writeTag();
            continue;
        }
        if (name == u"img") {
            if (!open.inHidden() && !tag.hidden && tag.srcTo > tag.srcFrom)
                writePicture(page, QStringView(html).mid(tag.srcFrom, tag.srcTo - tag.srcFrom));
            continue;
        }
        const bool holdsNothing = name.isEmpty() || tag.selfClosed || voidElements().contains(name);
        if (!holdsNothing) {
            open.open(name, tag.hidden);
            work += open.depth();
        }
        if (work > kMostReadingWork)
            return std::nullopt;
        if (!open.inHidden() && !(holdsNothing && tag.hidden))
            writeTag();
    }
    keep(html.size());
    return page;
}

} // namespace zarvelo
