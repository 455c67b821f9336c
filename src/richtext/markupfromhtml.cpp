#include "richtext/markupfromhtml.h"

#include "richtext/formattedcopy.h"
#include "richtext/pagescan.h"

#include <QAbstractTextDocumentLayout>
#include <QGuiApplication>
#include <QPalette>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace zarvelo {

namespace {

// The kinds of tag, in the order they open when they begin and end together
// (the preset styles' order: font, size, bold). A quotation and an alignment
// hold whole paragraphs, so they always enclose the rest.
enum class Kind : quint8 { Quote, Align, Url, Code, Font, Size, Color, Bold, Italic, Underline };

struct Tag
{
    Kind kind;
    QString value;
    bool operator==(const Tag &other) const { return kind == other.kind && value == other.value; }
};
using Tags = std::vector<Tag>;

bool has(const Tags &tags, const Tag &tag)
{
    return std::find(tags.begin(), tags.end(), tag) != tags.end();
}

/** Whether outer may never stand inside inner. A browser draws a link in
    the link colour whatever colour stands around it, so a colour is opened
    inside a link, never around it. */
int tier(Kind kind)
{
    return kind == Kind::Quote ? 0 : kind == Kind::Align ? 1 : 2;
}

bool mustEnclose(Kind outer, Kind inner)
{
    if (tier(outer) != tier(inner))
        return tier(outer) < tier(inner);
    return outer == Kind::Url && inner == Kind::Color;
}

QString opening(const Tag &tag)
{
    switch (tag.kind) {
    case Kind::Quote:
        return QStringLiteral("[QUOTE]");
    case Kind::Align:
        return QLatin1Char('[') + tag.value + QLatin1Char(']');
    case Kind::Url:
        return QLatin1String("[URL=") + tag.value + QLatin1Char(']');
    case Kind::Code:
        return QStringLiteral("[CODE]");
    case Kind::Font:
        return QLatin1String("[FONT='") + tag.value + QLatin1String("']");
    case Kind::Size:
        return QLatin1String("[SIZE=") + tag.value + QLatin1Char(']');
    case Kind::Color:
        return QLatin1String("[COLOR=#") + tag.value + QLatin1Char(']');
    case Kind::Bold:
        return QStringLiteral("[B]");
    case Kind::Italic:
        return QStringLiteral("[I]");
    case Kind::Underline:
        return QStringLiteral("[U]");
    }
    return {};
}

QString closing(const Tag &tag)
{
    static const std::array<QString, 10> names{QStringLiteral("QUOTE"), QString(),
                                               QStringLiteral("URL"),   QStringLiteral("CODE"),
                                               QStringLiteral("FONT"),  QStringLiteral("SIZE"),
                                               QStringLiteral("COLOR"), QStringLiteral("B"),
                                               QStringLiteral("I"),     QStringLiteral("U")};
    const QString &name = tag.kind == Kind::Align ? tag.value : names[std::size_t(tag.kind)];
    return QLatin1String("[/") + name + QLatin1Char(']');
}

/** A piece of the post: text or a picture with the tags it stands in, or a
    line break. */
struct Piece
{
    enum Type : quint8 { Text, Image, Break } type;
    QString text; // the text, or the picture's address
    Tags tags;
    bool code = false;  // its spaces stay as they are
    bool blank = false; // text of spaces only, which opens no tag
};

bool isSpace(QChar c)
{
    return c.isSpace() && c != QChar::LineSeparator;
}

// An address or a name goes inside a tag: a bracket would end the tag, and
// a space or quote would end the attribute the preview makes of it.
QString tagValue(QString value, bool address)
{
    if (address)
        return value.replace(QLatin1Char(' '), QLatin1String("%20"))
            .replace(QLatin1Char('['), QLatin1String("%5B"))
            .replace(QLatin1Char(']'), QLatin1String("%5D"));
    value.remove(QLatin1Char('[')).remove(QLatin1Char(']')).remove(QLatin1Char('\''));
    return value.trimmed();
}

bool isGenericFamily(const QString &family)
{
    static const QStringList generic{QStringLiteral("serif"),     QStringLiteral("sans-serif"),
                                     QStringLiteral("monospace"), QStringLiteral("cursive"),
                                     QStringLiteral("fantasy"),   QStringLiteral("system-ui")};
    return generic.contains(family.trimmed(), Qt::CaseInsensitive);
}

/** A word processor's list bullets are letters of a picture font. */
bool isBulletFont(const QString &family)
{
    return family.compare(QLatin1String("Symbol"), Qt::CaseInsensitive) == 0
        || family.startsWith(QLatin1String("Wingdings"), Qt::CaseInsensitive);
}

QStringList familiesOf(const QTextCharFormat &format)
{
    return format.property(QTextFormat::FontFamilies).toStringList();
}

/** The nearest of the seven HTML font sizes (3 is the normal one) for a size
    in pixels, by the browsers' table of those sizes. */
int htmlSizeForPixels(double pixels)
{
    static constexpr std::array<double, 7> table{10, 13, 16, 18, 24, 32, 48};
    int best = 0;
    for (int i = 1; i < int(table.size()); ++i)
        if (std::abs(table[std::size_t(i)] - pixels) < std::abs(table[std::size_t(best)] - pixels))
            best = i;
    return best + 1;
}

int htmlSizeOf(const QTextCharFormat &format)
{
    if (format.hasProperty(QTextFormat::FontPixelSize))
        return htmlSizeForPixels(format.intProperty(QTextFormat::FontPixelSize));
    if (format.hasProperty(QTextFormat::FontPointSize))
        return htmlSizeForPixels(format.doubleProperty(QTextFormat::FontPointSize) * 4 / 3);
    // Qt reads "size=n" and the size names as steps from the normal size.
    return std::clamp(3 + format.intProperty(QTextFormat::FontSizeAdjustment), 1, 7);
}

Tags inlineTags(const QTextCharFormat &format, bool inCode)
{
    Tags tags;
    const bool link = format.isAnchor() && !format.anchorHref().isEmpty();
    if (link)
        tags.push_back({Kind::Url, tagValue(format.anchorHref(), true)});
    const QStringList families = familiesOf(format);
    const bool code = inCode || families.contains(QLatin1String("monospace"), Qt::CaseInsensitive);
    if (code)
        tags.push_back({Kind::Code, {}});
    const auto family = std::find_if(families.begin(), families.end(),
                                     [](const QString &name) { return !isGenericFamily(name); });
    if (!code && family != families.end() && !isBulletFont(*family)) {
        const QString name = tagValue(*family, false);
        if (!name.isEmpty())
            tags.push_back({Kind::Font, name});
    }
    if (const int size = htmlSizeOf(format); size != 3)
        tags.push_back({Kind::Size, QString::number(size)});
    if (format.hasProperty(QTextFormat::ForegroundBrush) && format.foreground().style() != Qt::NoBrush) {
        const QColor color = format.foreground().color();
        // Qt gives a link the palette's link colour and an underline, as a
        // browser draws it: neither is the writer's own.
        if (!link || color != QGuiApplication::palette().link().color())
            tags.push_back(
                {Kind::Color, QString::number(color.rgb() & 0xFFFFFF, 16).toUpper().rightJustified(6, u'0')});
    }
    if (format.fontWeight() >= QFont::DemiBold)
        tags.push_back({Kind::Bold, {}});
    if (format.fontItalic())
        tags.push_back({Kind::Italic, {}});
    if (!link && (format.fontUnderline() || format.underlineStyle() != QTextCharFormat::NoUnderline))
        tags.push_back({Kind::Underline, {}});
    return tags;
}

/** Whether a block is one Qt made for text that follows a paragraph it
    closed, rather than a paragraph of the page: it alone carries an indent
    of 0 and no margins. */
bool isTextAfterParagraph(const QTextBlockFormat &format)
{
    return format.hasProperty(QTextFormat::BlockIndent) && format.indent() == 0
        && !format.hasProperty(QTextFormat::BlockTopMargin)
        && !format.hasProperty(QTextFormat::BlockBottomMargin);
}

/** The alignment tag of a paragraph, "" for none. The side a paragraph of
    a given direction starts from is no alignment of the writer's (a word
    processor names it on every Arabic paragraph), unless the direction
    came from around the whole text (allSidesAreTags), where Qt cannot tell
    the two apart. */
QString alignmentOf(const QTextBlock &block, bool allSidesAreTags)
{
    const QTextBlockFormat format = block.blockFormat();
    if (!format.hasProperty(QTextFormat::BlockAlignment))
        return {};
    const Qt::Alignment side = format.alignment() & Qt::AlignHorizontal_Mask & ~Qt::AlignAbsolute;
    if (side == Qt::AlignHCenter)
        return QStringLiteral("CENTER");
    if (side != Qt::AlignLeft && side != Qt::AlignRight)
        return {};
    const Qt::LayoutDirection direction =
        format.hasProperty(QTextFormat::LayoutDirection) ? format.layoutDirection() : Qt::LayoutDirectionAuto;
    const bool starting = direction == Qt::LayoutDirectionAuto
        ? !(format.alignment() & Qt::AlignAbsolute)
            && (side == Qt::AlignRight) == (block.textDirection() == Qt::RightToLeft)
        : (side == Qt::AlignRight) == (direction == Qt::RightToLeft);
    if (starting && !allSidesAreTags)
        return {};
    return side == Qt::AlignLeft ? QStringLiteral("LEFT") : QStringLiteral("RIGHT");
}

/** The address of the picture a piece of text stands for, null for none:
    each picture reaches Qt as a mark (see pageForQtReader). */
QString pictureOf(const QTextCharFormat &format)
{
    const QStringList names = format.anchorNames();
    if (format.isAnchor() && !names.isEmpty() && names.first().startsWith(kPictureMark))
        return names.first().mid(kPictureMark.size());
    return {};
}

/** The pieces of a document, paragraph by paragraph. */
class Reader final
{
public:
    Reader(const QTextDocument &document, bool allSidesAreTags)
        : m_allSidesAreTags(allSidesAreTags)
    {
        const QTextTable *previousTable = nullptr;
        int previousRow = -1;
        int previousColumn = -1;
        bool first = true;
        for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
            const bool last = !block.next().isValid();
            QTextCursor at(block);
            const QTextTable *table = at.currentTable();
            // Qt puts an empty paragraph of its own before a table that
            // starts the page and after every table.
            const bool tableNext = block.next().isValid() && QTextCursor(block.next()).currentTable();
            if (!table && (previousTable || (first && tableNext)) && block.length() <= 1)
                continue;
            std::vector<Piece> pieces = blockPieces(block, table != nullptr, first, last);
            if (m_vanished)
                continue;
            int row = -1;
            int column = -1;
            if (table) {
                const QTextTableCell cell = table->cellAt(block.position());
                row = cell.row();
                column = cell.column();
            }
            // A table row is one line, its cells apart by a bar.
            if (!first && table && table == previousTable && row == previousRow)
                m_pieces.push_back({Piece::Text,
                                    column == previousColumn ? QStringLiteral(" ") : QStringLiteral(" | "),
                                    {}});
            else if (!first)
                m_pieces.push_back({Piece::Break, {}, {}});
            previousRow = row;
            previousColumn = column;
            previousTable = table;
            first = false;
            std::move(pieces.begin(), pieces.end(), std::back_inserter(m_pieces));
        }
    }

    std::vector<Piece> &pieces() { return m_pieces; }

private:
    std::vector<Piece> blockPieces(const QTextBlock &block, bool inTable, bool first, bool last)
    {
        m_vanished = false;
        const QTextBlockFormat format = block.blockFormat();
        Tags blockTags;
        if (format.hasProperty(QTextFormat::BlockQuoteLevel)
            && format.intProperty(QTextFormat::BlockQuoteLevel) > 0)
            blockTags.push_back({Kind::Quote, {}});
        if (!inTable)
            if (const QString side = alignmentOf(block, m_allSidesAreTags); !side.isEmpty())
                blockTags.push_back({Kind::Align, side});
        const bool code = format.nonBreakableLines();

        std::vector<Piece> pieces;
        if (QTextList *list = block.textList()) {
            const QTextListFormat::Style style = list->format().style();
            const bool bullet = style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
                || style == QTextListFormat::ListSquare;
            pieces.push_back({Piece::Text,
                              bullet ? QStringLiteral("• ") : list->itemText(block) + QLatin1Char(' '),
                              blockTags});
        }
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QTextCharFormat charFormat = fragment.charFormat();
            Tags tags = blockTags;
            const Tags own = inlineTags(charFormat, code);
            tags.insert(tags.end(), own.begin(), own.end());
            if (const QString name = pictureOf(charFormat); !name.isNull()) {
                // A picture held in the page itself has no address a forum can show.
                if (!name.isEmpty() && !name.startsWith(QLatin1String("data:"), Qt::CaseInsensitive))
                    for (int i = 0; i < fragment.length(); ++i)
                        pieces.push_back({Piece::Image, tagValue(name, true), tags});
                continue;
            }
            QString text = fragment.text();
            if (const QStringList families = familiesOf(charFormat);
                !families.isEmpty() && isBulletFont(families.first()))
                for (QChar &c : text)
                    if (!isSpace(c) && c != QChar::LineSeparator)
                        c = QChar(0x2022);
            const bool codeText =
                std::any_of(tags.begin(), tags.end(), [](const Tag &t) { return t.kind == Kind::Code; });
            // The text between line breaks, without the marks of objects
            // that are no pictures.
            const auto next = [&text](QChar c, qsizetype from) {
                const qsizetype at = text.indexOf(c, from);
                return at < 0 ? text.size() : at;
            };
            qsizetype nextBreak = next(QChar::LineSeparator, 0);
            qsizetype nextObject = next(QChar::ObjectReplacementCharacter, 0);
            for (qsizetype from = 0; from <= text.size();) {
                const qsizetype to = std::min(nextBreak, nextObject);
                if (to > from)
                    pieces.push_back({Piece::Text, text.mid(from, to - from), tags, codeText});
                if (to == nextBreak && to < text.size()) {
                    pieces.push_back({Piece::Break, {}, {}});
                    nextBreak = next(QChar::LineSeparator, to + 1);
                } else if (to < text.size())
                    nextObject = next(QChar::ObjectReplacementCharacter, to + 1);
                from = to + 1;
            }
        }
        // A line break that starts the text after a closed paragraph is the
        // end of that paragraph, and one right at a paragraph's end makes
        // no line in a browser: neither is a line of its own. A break that
        // is both leaves nothing.
        const bool leading =
            !first && isTextAfterParagraph(format) && !pieces.empty() && pieces.front().type == Piece::Break;
        if (leading)
            pieces.erase(pieces.begin());
        if (!last && !pieces.empty() && pieces.back().type == Piece::Break)
            pieces.pop_back();
        else
            m_vanished = leading && pieces.empty() && !last;
        return pieces;
    }

    std::vector<Piece> m_pieces;
    bool m_allSidesAreTags;
    bool m_vanished = false;
};

/** One space wherever there is space between words; none at a line's ends. */
void tidySpaces(std::vector<Piece> &pieces)
{
    bool lineStart = true;
    bool afterSpace = false;
    qsizetype lastText = -1; // the line's last text piece
    const auto trimLineEnd = [&] {
        for (qsizetype i = lastText; i >= 0 && pieces[std::size_t(i)].type == Piece::Text; --i) {
            Piece &piece = pieces[std::size_t(i)];
            if (piece.code)
                break;
            while (!piece.text.isEmpty() && piece.text.back() == u' ')
                piece.text.chop(1);
            if (!piece.text.isEmpty())
                break;
        }
    };
    for (qsizetype i = 0; i < qsizetype(pieces.size()); ++i) {
        Piece &piece = pieces[std::size_t(i)];
        if (piece.type == Piece::Break) {
            trimLineEnd();
            lineStart = true;
            afterSpace = false;
            lastText = -1;
            continue;
        }
        if (piece.type == Piece::Image) {
            lineStart = false;
            afterSpace = false;
            lastText = -1;
            continue;
        }
        if (piece.code) {
            lineStart = false;
            afterSpace = !piece.text.isEmpty() && isSpace(piece.text.back());
            lastText = -1;
            continue;
        }
        QString tidy;
        tidy.reserve(piece.text.size());
        for (const QChar c : piece.text) {
            if (isSpace(c)) {
                if (!lineStart && !afterSpace)
                    tidy += u' ';
                afterSpace = true;
            } else {
                tidy += c;
                lineStart = false;
                afterSpace = false;
            }
        }
        piece.text = tidy;
        piece.blank = !tidy.isEmpty() && tidy.trimmed().isEmpty();
        lastText = i;
    }
    trimLineEnd();
    pieces.erase(std::remove_if(pieces.begin(), pieces.end(),
                                [](const Piece &p) { return p.type == Piece::Text && p.text.isEmpty(); }),
                 pieces.end());
}

/** Writes the pieces with their tags: a tag stays open while the pieces
    after it have it, and of the tags that open together, the one that goes
    on longest opens first. */
class Writer final
{
public:
    explicit Writer(const std::vector<Piece> &pieces)
        : m_pieces(pieces)
    {
        findEnds();
    }

    QString write()
    {
        QString out;
        for (std::size_t i = 0; i < m_pieces.size(); ++i) {
            const Piece &piece = m_pieces[i];
            if (piece.type == Piece::Break || piece.blank) {
                // Spaces and breaks open nothing; they close what the next
                // text would close, so that tags end before them.
                const Tags none;
                const Tags &next = m_next[i] < m_pieces.size() ? m_pieces[m_next[i]].tags : none;
                closeTo(next, notOpen(next), out);
                out += piece.type == Piece::Break ? QStringLiteral("\r\n") : piece.text;
                continue;
            }
            closeTo(piece.tags, notOpen(piece.tags), out);
            open(i, out);
            out += piece.type == Piece::Image ? QLatin1String("[img]") + piece.text + QLatin1String("[/img]")
                                              : piece.text;
        }
        closeTo({}, {}, out);
        return out;
    }

private:
    bool significant(std::size_t i) const { return m_pieces[i].type != Piece::Break && !m_pieces[i].blank; }

    // For each piece, the next piece with text; for each tag of a piece,
    // the last piece up to which it goes on.
    void findEnds()
    {
        const std::size_t n = m_pieces.size();
        m_next.assign(n, n);
        m_ends.resize(n);
        std::size_t next = n;
        for (std::size_t i = n; i-- > 0;) {
            m_next[i] = next;
            if (!significant(i))
                continue;
            const Piece &piece = m_pieces[i];
            m_ends[i].resize(piece.tags.size());
            for (std::size_t t = 0; t < piece.tags.size(); ++t) {
                m_ends[i][t] = i;
                if (next == n)
                    continue;
                const Tags &later = m_pieces[next].tags;
                const auto found = std::find(later.begin(), later.end(), piece.tags[t]);
                if (found != later.end())
                    m_ends[i][t] = m_ends[next][std::size_t(found - later.begin())];
            }
            next = i;
        }
    }

    Tags notOpen(const Tags &tags) const
    {
        Tags result;
        for (const Tag &tag : tags)
            if (!has(m_open, tag))
                result.push_back(tag);
        return result;
    }

    /** Closes open tags, the latest first, until every one still open is
        wanted and none must stand outside a tag about to open. */
    void closeTo(const Tags &wanted, const Tags &opening, QString &out)
    {
        std::size_t keep = 0;
        while (keep < m_open.size() && has(wanted, m_open[keep])
               && std::none_of(opening.begin(), opening.end(),
                               [&](const Tag &tag) { return mustEnclose(tag.kind, m_open[keep].kind); }))
            ++keep;
        while (m_open.size() > keep) {
            out += closing(m_open.back());
            m_open.pop_back();
        }
    }

    void open(std::size_t i, QString &out)
    {
        const Piece &piece = m_pieces[i];
        std::vector<std::size_t> order;
        for (std::size_t t = 0; t < piece.tags.size(); ++t)
            if (!has(m_open, piece.tags[t]))
                order.push_back(t);
        // Quotations and alignments outermost; then what goes on longest;
        // then the kinds' own order.
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            const Kind ka = piece.tags[a].kind;
            const Kind kb = piece.tags[b].kind;
            if (tier(ka) != tier(kb))
                return tier(ka) < tier(kb);
            if (m_ends[i][a] != m_ends[i][b])
                return m_ends[i][a] > m_ends[i][b];
            return ka < kb;
        });
        // A link opens before any colour that opens with it.
        const auto isKind = [&](Kind kind) {
            return [&piece, kind](std::size_t t) { return piece.tags[t].kind == kind; };
        };
        const auto link = std::find_if(order.begin(), order.end(), isKind(Kind::Url));
        const auto color = std::find_if(order.begin(), order.end(), isKind(Kind::Color));
        if (link != order.end() && color < link)
            std::rotate(color, link, link + 1);
        for (const std::size_t t : order) {
            out += opening(piece.tags[t]);
            m_open.push_back(piece.tags[t]);
        }
    }

    const std::vector<Piece> &m_pieces;
    std::vector<std::size_t> m_next;
    std::vector<std::vector<std::size_t>> m_ends;
    Tags m_open;
};

/** A layout that lays out nothing. Qt's own lays out each paragraph again
    at every change the reader makes, which for a long paragraph with many
    pictures takes seconds; the markup needs no positions on a page. */
class UnlaidLayout final : public QAbstractTextDocumentLayout
{
public:
    using QAbstractTextDocumentLayout::QAbstractTextDocumentLayout;
    void draw(QPainter * /*painter*/, const PaintContext & /*context*/) override {}
    int hitTest(const QPointF & /*point*/, Qt::HitTestAccuracy /*accuracy*/) const override { return -1; }
    int pageCount() const override { return 1; }
    QSizeF documentSize() const override { return {}; }
    QRectF frameBoundingRect(QTextFrame * /*frame*/) const override { return {}; }
    QRectF blockBoundingRect(const QTextBlock & /*block*/) const override { return {}; }

protected:
    void documentChanged(int /*from*/, int /*removed*/, int /*added*/) override {}
};

} // namespace

QString markupFromDocument(const QTextDocument &document, bool allSidesAreTags)
{
    Reader reader(document, allSidesAreTags);
    std::vector<Piece> &pieces = reader.pieces();
    tidySpaces(pieces);
    return Writer(pieces).write();
}

std::unique_ptr<QTextDocument> documentFromHtml(const QString &html)
{
    const std::optional<QString> page = pageForQtReader(html);
    if (!page)
        return nullptr;
    auto document = std::make_unique<QTextDocument>();
    document->setDocumentLayout(new UnlaidLayout(document.get()));
    document->setHtml(*page);
    return document;
}

std::optional<QString> markupFromHtml(const QString &html)
{
    const std::unique_ptr<QTextDocument> document = documentFromHtml(html);
    if (!document)
        return std::nullopt;
    return markupFromDocument(*document, html.contains(formattedCopyMark()));
}

} // namespace zarvelo
