#include "highlight/markupscan.h"

namespace zarvelo {

namespace {

struct TagText
{
    QStringView text; // upper-case ASCII, as the conversion's rules write it
    int kind;
    bool valued; // the value runs from the tag to the next "]"
};

// Opening tags. "[URL" is valued whether or not an "=" follows: "[URL]"
// becomes a link without a target, "[URL=x]" one to x.
constexpr TagText kOpening[] = {
    {u"[QUOTE=", 0, true},   {u"[QUOTE]", 0, false}, {u"[CODE]", 1, false},  {u"[HTML]", 2, false},
    {u"[PHP]", 3, false},    {u"[B]", 4, false},     {u"[I]", 5, false},     {u"[U]", 6, false},
    {u"[CENTER]", 7, false}, {u"[LEFT]", 8, false},  {u"[RIGHT]", 9, false}, {u"[FONT=", 10, true},
    {u"[SIZE=", 11, true},   {u"[COLOR=", 12, true}, {u"[URL", 13, true},    {u"[IMG]", 14, false},
};

constexpr TagText kClosing[] = {
    {u"[/QUOTE]", 0, false},  {u"[/CODE]", 1, false},  {u"[/HTML]", 2, false},  {u"[/PHP]", 3, false},
    {u"[/B]", 4, false},      {u"[/I]", 5, false},     {u"[/U]", 6, false},     {u"[/CENTER]", 7, false},
    {u"[/LEFT]", 8, false},   {u"[/RIGHT]", 9, false}, {u"[/FONT]", 10, false}, {u"[/SIZE]", 11, false},
    {u"[/COLOR]", 12, false}, {u"[/URL]", 13, false},  {u"[/IMG]", 14, false},
};

constexpr int kLinkKind = 13;

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

} // namespace

void scanMarkup(QStringView paragraph, OpenTagCounts &open, QList<MarkupSpan> &spans)
{
    const qsizetype size = paragraph.size();
    qsizetype at = paragraph.indexOf(u'[');
    while (at >= 0 && at < size) {
        const bool closing = at + 1 < size && paragraph[at + 1] == u'/';
        const TagText *tag = closing ? tagAt(paragraph, at, kClosing) : tagAt(paragraph, at, kOpening);
        if (!tag) {
            at = paragraph.indexOf(u'[', at + 1);
            continue;
        }
        qsizetype end = at + tag->text.size();
        if (closing) {
            int &count = open[size_t(tag->kind)];
            spans.append({at, end - at, count > 0 ? MarkupKind::Tag : MarkupKind::UnmatchedClose});
            if (count > 0)
                --count;
        } else {
            ++open[size_t(tag->kind)];
            if (tag->valued && tag->kind == kLinkKind && end < size && paragraph[end] == u'=')
                ++end; // the link's "=" belongs to the tag, as "[FONT=" has its own
            spans.append({at, end - at, MarkupKind::Tag});
            if (tag->valued) {
                // The value stops at the "]" that ends the tag; a "[" stops it
                // too, so that a tag typed inside a value is still seen.
                qsizetype valueEnd = end;
                while (valueEnd < size && paragraph[valueEnd] != u']' && paragraph[valueEnd] != u'[')
                    ++valueEnd;
                if (valueEnd > end)
                    spans.append({end, valueEnd - end, MarkupKind::Value});
                end = valueEnd;
                if (end < size && paragraph[end] == u']') {
                    spans.append({end, 1, MarkupKind::Tag});
                    ++end;
                }
            }
        }
        at = end < size ? paragraph.indexOf(u'[', end) : -1;
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
