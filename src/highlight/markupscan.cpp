#include "highlight/markupscan.h"

#include <iterator>

namespace zarvelo {

namespace {

struct TagText
{
    QStringView text; // upper-case ASCII, as the conversion's rules write it
    MarkupTagKind kind;
    bool valued; // the value runs from the tag to the next "]"
};

// Opening tags. "[URL" is valued whether or not an "=" follows: "[URL]"
// becomes a link without a target, "[URL=x]" one to x.
constexpr TagText kOpening[] = {
    {u"[QUOTE=", QuoteTag, true}, {u"[QUOTE]", QuoteTag, false}, {u"[CODE]", CodeTag, false},
    {u"[HTML]", HtmlTag, false},  {u"[PHP]", PhpTag, false},     {u"[B]", BoldTag, false},
    {u"[I]", ItalicTag, false},   {u"[U]", UnderlineTag, false}, {u"[CENTER]", CenterTag, false},
    {u"[LEFT]", LeftTag, false},  {u"[RIGHT]", RightTag, false}, {u"[FONT=", FontTag, true},
    {u"[SIZE=", SizeTag, true},   {u"[COLOR=", ColorTag, true},  {u"[URL", LinkTag, true},
    {u"[IMG]", ImageTag, false},
};

// In the order of the kinds.
constexpr TagText kClosing[] = {
    {u"[/QUOTE]", QuoteTag, false}, {u"[/CODE]", CodeTag, false},     {u"[/HTML]", HtmlTag, false},
    {u"[/PHP]", PhpTag, false},     {u"[/B]", BoldTag, false},        {u"[/I]", ItalicTag, false},
    {u"[/U]", UnderlineTag, false}, {u"[/CENTER]", CenterTag, false}, {u"[/LEFT]", LeftTag, false},
    {u"[/RIGHT]", RightTag, false}, {u"[/FONT]", FontTag, false},     {u"[/SIZE]", SizeTag, false},
    {u"[/COLOR]", ColorTag, false}, {u"[/URL]", LinkTag, false},      {u"[/IMG]", ImageTag, false},
};
static_assert(std::size(kClosing) == kMarkupTagKinds);

inline char16_t asciiUpper(char16_t c)
{
    return c >= u'a' && c <= u'z' ? char16_t(c - (u'a' - u'A')) : c;
}

// The conversion ignores the case of ASCII letters only, so the highlighter
// does the same: a non-ASCII letter never matches a tag's letter.
bool matchesAt(QStringView text, qsizetype at, QStringView tag)
{
    if (text.size() - at < tag.size())
        return false;
    for (qsizetype k = 0; k < tag.size(); ++k) {
        if (asciiUpper(text[at + k].unicode()) != tag[k].unicode())
            return false;
    }
    return true;
}

template <size_t N>
const TagText *tagAt(QStringView text, qsizetype at, const TagText (&table)[N])
{
    for (const TagText &tag : table) {
        if (matchesAt(text, at, tag.text))
            return &tag;
    }
    return nullptr;
}

inline bool endsValue(QChar c)
{
    return c == u']' || c == u'[' || c == u'\r' || c == u'\n';
}

} // namespace

bool nextMarkupTag(QStringView text, qsizetype from, MarkupTag &tag)
{
    const qsizetype size = text.size();
    for (qsizetype at = text.indexOf(u'[', from); at >= 0; at = text.indexOf(u'[', at + 1)) {
        const bool closing = at + 1 < size && text[at + 1] == u'/';
        const TagText *found = closing ? tagAt(text, at, kClosing) : tagAt(text, at, kOpening);
        if (!found)
            continue;
        tag = MarkupTag();
        tag.start = at;
        tag.nameLength = found->text.size();
        tag.closing = closing;
        tag.valued = found->valued;
        tag.kind = found->kind;
        if (found->valued) {
            qsizetype end = at + tag.nameLength;
            if (found->kind == LinkTag && end < size && text[end] == u'=')
                ++tag.nameLength; // the link's "=" belongs to the tag, as "[FONT=" has its own
            end = at + tag.nameLength;
            qsizetype valueEnd = end;
            while (valueEnd < size && !endsValue(text[valueEnd]))
                ++valueEnd;
            tag.valueLength = valueEnd - end;
            tag.bracket = valueEnd < size && text[valueEnd] == u']';
        }
        return true;
    }
    return false;
}

QStringView closingTagText(MarkupTagKind kind)
{
    return kClosing[kind].text;
}

void scanMarkup(QStringView paragraph, OpenTagCounts &open, QList<MarkupSpan> &spans)
{
    MarkupTag tag;
    for (qsizetype from = 0; nextMarkupTag(paragraph, from, tag); from = tag.end()) {
        if (tag.closing) {
            int &count = open[size_t(tag.kind)];
            spans.append(
                {tag.start, tag.nameLength, count > 0 ? MarkupKind::Tag : MarkupKind::UnmatchedClose});
            if (count > 0)
                --count;
            continue;
        }
        ++open[size_t(tag.kind)];
        spans.append({tag.start, tag.nameLength, MarkupKind::Tag});
        if (tag.valueLength > 0)
            spans.append({tag.valueStart(), tag.valueLength, MarkupKind::Value});
        if (tag.bracket)
            spans.append({tag.valueStart() + tag.valueLength, 1, MarkupKind::Tag});
    }
}

void findIsolatedTags(QStringView paragraph, QList<IsolatedTag> &tags)
{
    OpenTagCounts open{};
    thread_local QList<MarkupSpan> spans; // kept, so that a long paste allocates once
    spans.clear();
    scanMarkup(paragraph, open, spans);
    for (qsizetype i = 0; i < spans.size(); ++i) {
        IsolatedTag tag{spans[i].start, spans[i].length};
        qsizetype end = tag.start + tag.length;
        // A value and a lone "]" only ever follow the tag they belong to.
        if (i + 1 < spans.size() && spans[i + 1].kind == MarkupKind::Value && spans[i + 1].start == end) {
            tag.valueStart = end;
            tag.valueLength = spans[i + 1].length;
            end += tag.valueLength;
            ++i;
        }
        if (i + 1 < spans.size() && spans[i + 1].start == end && spans[i + 1].length == 1
            && paragraph[end] == u']') {
            ++end;
            ++i;
        }
        tag.length = end - tag.start;
        tags.append(tag);
    }
}

} // namespace zarvelo
