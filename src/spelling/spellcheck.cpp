#include "spelling/spellcheck.h"

#include "platform/platform.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QPromise>
#include <QSignalBlocker>
#include <QSyntaxHighlighter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>
#include <QThreadPool>

#include <atomic>

namespace zarvelo {

namespace {

constexpr int kSuggestions = 5;

/** Whether the layer's underline is drawn at the position of the paragraph. */
bool isMarkedAt(const QTextBlock &block, int position)
{
    const QTextLayout *layout = block.layout();
    if (!layout)
        return false;
    const QList<QTextLayout::FormatRange> formats = layout->formats();
    return std::any_of(formats.begin(), formats.end(), [position](const QTextLayout::FormatRange &range) {
        return range.start <= position && position < range.start + range.length
            && SpellingLayer::isMisspeltFormat(range.format);
    });
}

bool hasMarks(const QTextBlock &block)
{
    const QList<QTextLayout::FormatRange> formats =
        block.layout() ? block.layout()->formats() : QList<QTextLayout::FormatRange>();
    return std::any_of(formats.begin(), formats.end(), [](const QTextLayout::FormatRange &range) {
        return SpellingLayer::isMisspeltFormat(range.format);
    });
}

} // namespace

/** What the loader thread and this object share: a window closed before its
    dictionaries were opened neither waits for them nor has them opened. */
struct SpellCheck::Loading
{
    std::atomic<bool> wanted{true};
    QPromise<SpellDictionaries> promise;
};

SpellCheck::SpellCheck(PostEditor &editor, QSyntaxHighlighter &highlighter, Platform &platform, Places places)
    : QObject(&highlighter)
    , m_editor(editor)
    , m_highlighter(highlighter)
    , m_platform(platform)
    , m_places(std::move(places))
{
    m_layer.setEnabled(false);
    connect(&m_opened, &QFutureWatcher<SpellDictionaries>::finished, this, &SpellCheck::install);
    connect(&m_layer, &SpellingLayer::paragraphsChecked, this, &SpellCheck::redrawParagraphs);
    // The editor may outlive this object or go first: the hook asks whether
    // it is still there, and this object never touches the editor as it goes.
    m_editor.addContextMenuHook([self = QPointer<SpellCheck>(this)](QMenu &menu, const QTextCursor &atClick) {
        if (self)
            self->addWordActions(menu, atClick);
    });
}

SpellCheck::~SpellCheck()
{
    if (m_loading)
        m_loading->wanted = false;
}

void SpellCheck::setEnabled(bool on)
{
    if (on == m_layer.isEnabled())
        return;
    m_layer.setEnabled(on);
    if (!on)
        redrawMarkedParagraphs();
    else if (m_checker)
        redrawAll();
    else
        startLoading();
}

void SpellCheck::startLoading()
{
    if (m_loading)
        return;
    // Opening the Arabic dictionary takes a tenth of a second: the window
    // is shown and usable meanwhile.
    m_loading = std::make_shared<Loading>();
    m_loading->promise.start();
    m_opened.setFuture(m_loading->promise.future());
    QThreadPool::globalInstance()->start([loading = m_loading, folder = m_places.dictionaryFolder] {
        if (loading->wanted) {
            SpellDictionaries opened = SpellDictionaries::load(folder);
            // Closed meanwhile: the dictionaries go here, not on the window's thread.
            if (loading->wanted)
                loading->promise.addResult(std::move(opened));
        }
        loading->promise.finish();
    });
}

void SpellCheck::install()
{
    const QFuture<SpellDictionaries> opened = m_opened.future();
    m_checker = std::make_unique<SpellChecker>(
        opened.resultCount() > 0 ? opened.result() : SpellDictionaries(), m_places.personalDictionary);
    m_layer.setChecker(m_checker.get());
    if (m_layer.isEnabled())
        redrawAll();
    emit loaded();
}

QString SpellCheck::missingDictionaries() const
{
    if (!m_checker)
        return {};
    QStringList missing;
    if (!m_checker->hasDictionary(Script::Arabic))
        missing << QStringLiteral("لا يوجد قاموس عربي، فالكلمات العربية لا تدقق: ثبّت الحزمة hunspell-ar");
    if (!m_checker->hasDictionary(Script::Latin))
        missing << QStringLiteral(
            "لا يوجد قاموس إنجليزي، فالكلمات الإنجليزية لا تدقق: ثبّت الحزمة hunspell-en-us");
    return missing.join(QLatin1Char('\n'));
}

void SpellCheck::addWordActions(QMenu &menu, const QTextCursor &atClick)
{
    const QTextBlock block = atClick.block();
    if (!m_checker || !m_layer.isEnabled() || !block.isValid())
        return;
    // Words are read without the editor's direction marks around tags.
    const QString marked = block.text();
    const QString text = marks::withoutMarks(marked);
    const Word word = wordAt(text, int(marks::cleanOffset(marked, atClick.positionInBlock())));
    qsizetype inBlock = marks::markedOffset(marked, word.start);
    while (inBlock < marked.size() && marks::isMark(marked[inBlock].unicode()))
        ++inBlock;
    if (word.length == 0 || !isMarkedAt(block, int(inBlock)))
        return;
    const QString spelling = text.mid(word.start, word.length);
    const int position = block.position() + int(inBlock);

    QAction *first = menu.actions().value(0);
    for (const QString &suggestion : m_checker->suggestions(spelling, word.script, kSuggestions)) {
        auto *action = new QAction(suggestion, &menu);
        connect(action, &QAction::triggered, this,
                [this, position, spelling, suggestion] { replaceWord(position, spelling, suggestion); });
        menu.insertAction(first, action);
    }
    auto *add = new QAction(QStringLiteral("إضافة إلى القاموس"), &menu);
    connect(add, &QAction::triggered, this, [this, spelling, script = word.script] {
        if (!m_checker->addToPersonal(spelling, script))
            m_platform.messageBox(QStringLiteral("تعذر حفظ القاموس الشخصي في الملف:\n%1\nستقبل الكلمة حتى "
                                                 "إغلاق البرنامج فقط.")
                                      .arg(m_checker->personal().path()),
                                  programName(), MessageIcon::None);
        redrawMarkedParagraphs();
    });
    menu.insertAction(first, add);
    auto *ignore = new QAction(QStringLiteral("تجاهل"), &menu);
    connect(ignore, &QAction::triggered, this, [this, spelling] {
        m_checker->ignore(spelling);
        redrawMarkedParagraphs();
    });
    menu.insertAction(first, ignore);
    if (first)
        menu.insertSeparator(first);
}

void SpellCheck::replaceWord(int position, const QString &word, const QString &replacement)
{
    // The post may have changed since the menu was opened; then the word is
    // no longer there to replace.
    QTextCursor cursor(m_editor.document());
    cursor.setPosition(position);
    cursor.setPosition(position + int(word.size()), QTextCursor::KeepAnchor);
    if (cursor.selectedText() != word)
        return;
    m_editor.setTextCursor(cursor);
    m_editor.setSelText(replacement);
}

void SpellCheck::redrawAll()
{
    // A redraw only changes how the post looks: the document is kept quiet,
    // so that nothing watching the post takes it for an edit.
    const QSignalBlocker quiet(m_editor.document());
    m_highlighter.rehighlight();
}

void SpellCheck::redrawMarkedParagraphs()
{
    // Turning checking off, adding or ignoring a word only ever takes marks
    // away, so only the paragraphs that show marks need drawing again.
    const QSignalBlocker quiet(m_editor.document());
    for (QTextBlock block = m_editor.document()->begin(); block.isValid(); block = block.next()) {
        if (hasMarks(block))
            m_highlighter.rehighlightBlock(block);
    }
}

void SpellCheck::redrawParagraphs(const QSet<size_t> &paragraphs)
{
    const QSignalBlocker quiet(m_editor.document());
    for (QTextBlock block = m_editor.document()->begin(); block.isValid(); block = block.next()) {
        if (paragraphs.contains(SpellingLayer::paragraphKey(marks::withoutMarks(block.text()))))
            m_highlighter.rehighlightBlock(block);
    }
}

} // namespace zarvelo
