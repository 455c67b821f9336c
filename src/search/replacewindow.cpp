#include "search/replacewindow.h"

#include "platform/platform.h"
#include "ui/posteditor.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

#include <algorithm>

namespace zarvelo {

namespace {

const QString kWentRoundForward = QStringLiteral("بلغ البحث نهاية المشاركة فعاد إلى أولها");
const QString kWentRoundBack = QStringLiteral("بلغ البحث أول المشاركة فعاد إلى آخرها");
const QString kNotFound = QStringLiteral("لا يوجد في المشاركة ما يطابق نص البحث");

bool holdsLineBreak(QStringView text)
{
    return text.contains(u'\r') || text.contains(u'\n');
}

} // namespace

QTextCharFormat MatchLayer::matchFormat()
{
    QTextCharFormat format;
    format.setBackground(QColor(0xFF, 0xE0, 0x66)); // soft yellow: tags and words keep their colours on it
    return format;
}

void MatchLayer::decorate(const QString &text, const QList<QTextLayout::FormatRange> &markup,
                          QList<QTextLayout::FormatRange> &formats)
{
    if (!m_matcher)
        return;
    m_markup.clear();
    for (const QTextLayout::FormatRange &range : markup)
        m_markup.append({range.start, range.length});
    // A match never crosses a line, so the paragraph's matches are the post's.
    for (const TextRange &match : m_matcher->findAll(text, m_markup))
        formats.append({int(match.start), int(match.length), matchFormat()});
}

ReplaceWindow::ReplaceWindow(PostEditor &editor, Platform &platform, MatchLayer &layer, MarkupFinder markup,
                             QString preferencesFile, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_editor(editor)
    , m_platform(platform)
    , m_layer(layer)
    , m_markup(std::move(markup))
    , m_preferences(std::move(preferencesFile))
{
    setObjectName(QStringLiteral("frmreplace"));
    setWindowTitle(QStringLiteral("بحث واستبدال"));
    setLayoutDirection(Qt::RightToLeft);

    m_find = new QLineEdit(this);
    m_find->setObjectName(QStringLiteral("txtFIND"));
    m_replacement = new QLineEdit(this);
    m_replacement->setObjectName(QStringLiteral("txtREPLACE"));
    auto *fields = new QGridLayout;
    int row = 0;
    for (QLineEdit *field : {m_find, m_replacement}) {
        auto *label = new QLabel(row == 0 ? QStringLiteral("ابحث عن:") : QStringLiteral("استبدل بـ:"), this);
        label->setBuddy(field);
        field->setAccessibleName(label->text());
        field->setClearButtonEnabled(true);
        // Both are one line: a pasted text keeps its first line only.
        connect(field, &QLineEdit::textChanged, field, [field](const QString &text) {
            const auto lineBreak =
                std::find_if(text.begin(), text.end(), [](QChar c) { return c == u'\r' || c == u'\n'; });
            if (lineBreak != text.end())
                field->setText(text.first(lineBreak - text.begin()));
        });
        fields->addWidget(label, row, 0);
        fields->addWidget(field, row, 1);
        ++row;
    }

    auto *options = new QGridLayout;
    // Two columns: the Arabic letters first, then case, words and tags.
    const QList<QCheckBox *> boxes{
        addOption("chkHARAKAT", QStringLiteral("تجاهل التشكيل"), "ignoreHarakat", true),
        addOption("chkTATWEEL", QStringLiteral("تجاهل التطويل"), "ignoreTatweel", true),
        addOption("chkHAMZA", QStringLiteral("الهمزات على الألف حرف واحد"), "alefForms", true),
        addOption("chkYEH", QStringLiteral("الياء والألف المقصورة حرف واحد"), "yehForms", false),
        addOption("chkTEH", QStringLiteral("التاء المربوطة والهاء حرف واحد"), "tehMarbuta", false),
        addOption("chkCASE", QStringLiteral("مطابقة حالة الأحرف"), "matchCase", false),
        addOption("chkWORD", QStringLiteral("كلمة كاملة"), "wholeWord", false),
        addOption("chkTAGS", QStringLiteral("تخطي الوسوم"), "skipTags", false),
    };
    for (int i = 0; i < boxes.size(); ++i)
        options->addWidget(boxes[i], i < 5 ? i : i - 5, i < 5 ? 0 : 1);

    auto *buttons = new QHBoxLayout;
    const auto addButton = [&](const char *name, const QString &caption, void (ReplaceWindow::*slot)()) {
        auto *button = new QPushButton(caption, this);
        button->setObjectName(QLatin1String(name));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, slot);
        buttons->addWidget(button);
        return button;
    };
    addButton("cmdNEXT", QStringLiteral("التالي"), &ReplaceWindow::findNext);
    addButton("cmdPREVIOUS", QStringLiteral("السابق"), &ReplaceWindow::findPrevious);
    addButton("cmdREPLACE", QStringLiteral("استبدال"), &ReplaceWindow::replaceOne);
    addButton("cmdREPLACEALL", QStringLiteral("استبدال الكل"), &ReplaceWindow::replaceAll);
    buttons->addStretch();
    addButton("cmdCLOSE", QStringLiteral("إغلاق"), &QWidget::hide);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(options);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Return in either field finds the next match, as the first button.
    connect(m_find, &QLineEdit::returnPressed, this, &ReplaceWindow::findNext);
    connect(m_replacement, &QLineEdit::returnPressed, this, &ReplaceWindow::findNext);
    // The matches are drawn again once typing pauses: drawing a long post
    // again on every key would make the field slow to type in.
    m_redraw.setSingleShot(true);
    m_redraw.setInterval(150);
    connect(&m_redraw, &QTimer::timeout, this, &ReplaceWindow::drawMatches);
    connect(m_find, &QLineEdit::textChanged, &m_redraw, qOverload<>(&QTimer::start));
}

QCheckBox *ReplaceWindow::addOption(const char *name, const QString &caption, const char *key, bool byDefault)
{
    auto *box = new QCheckBox(caption, this);
    box->setObjectName(QLatin1String(name));
    const QSettings settings(m_preferences, QSettings::IniFormat);
    box->setChecked(settings.value(QLatin1String("search/") + QLatin1String(key), byDefault).toBool());
    connect(box, &QCheckBox::toggled, this, [this] {
        saveOptions();
        drawMatches();
    });
    m_options.append({box, key});
    return box;
}

MatchOptions ReplaceWindow::options() const
{
    const auto on = [this](int i) { return m_options[i].box->isChecked(); };
    MatchOptions options;
    options.ignoreHarakat = on(0);
    options.ignoreTatweel = on(1);
    options.alefForms = on(2);
    options.yehForms = on(3);
    options.tehMarbuta = on(4);
    options.matchCase = on(5);
    options.wholeWord = on(6);
    options.skipTags = on(7);
    return options;
}

void ReplaceWindow::saveOptions()
{
    QSettings settings(m_preferences, QSettings::IniFormat);
    for (const Option &option : std::as_const(m_options))
        settings.setValue(QLatin1String("search/") + QLatin1String(option.key), option.box->isChecked());
}

void ReplaceWindow::open()
{
    const QString selected = m_editor.selText();
    if (!selected.isEmpty() && !holdsLineBreak(selected))
        m_find->setText(selected);
    show();
    raise();
    activateWindow();
    m_find->setFocus(Qt::OtherFocusReason);
    m_find->selectAll();
}

std::optional<TextMatcher> ReplaceWindow::matcher() const
{
    if (m_find->text().isEmpty())
        return std::nullopt;
    return TextMatcher(m_find->text(), options());
}

std::optional<QList<TextRange>> ReplaceWindow::matchesOrSay(const QString &post)
{
    const std::optional<TextMatcher> seek = matcher();
    if (!seek)
        return std::nullopt;
    const MatchOptions how = options();
    QList<TextRange> matches =
        seek->findAll(post, how.skipTags ? postMarkup(post, m_markup) : QList<TextRange>());
    if (matches.isEmpty()) {
        m_platform.messageBox(kNotFound, programName(), MessageIcon::Information);
        return std::nullopt;
    }
    return matches;
}

void ReplaceWindow::findNext()
{
    step(true);
}

void ReplaceWindow::findPrevious()
{
    step(false);
}

void ReplaceWindow::step(bool forward)
{
    const std::optional<QList<TextRange>> matches = matchesOrSay(m_editor.text());
    if (!matches)
        return;
    const qsizetype start = m_editor.selStart();
    const qsizetype end = start + m_editor.selLength();
    const TextRange *next = nullptr;
    if (forward) {
        const auto after = std::find_if(matches->begin(), matches->end(),
                                        [end](const TextRange &match) { return match.start >= end; });
        next = after == matches->end() ? nullptr : &*after;
    } else {
        const auto before = std::find_if(matches->rbegin(), matches->rend(),
                                         [start](const TextRange &match) { return match.end() <= start; });
        next = before == matches->rend() ? nullptr : &*before;
    }
    const bool wentRound = next == nullptr;
    if (wentRound)
        next = forward ? &matches->first() : &matches->last();
    m_editor.select(next->start, next->length);
    m_editor.ensureCursorVisible();
    if (wentRound)
        m_platform.messageBox(forward ? kWentRoundForward : kWentRoundBack, programName(),
                              MessageIcon::Information);
}

void ReplaceWindow::replaceOne()
{
    const std::optional<TextMatcher> seek = matcher();
    if (!seek)
        return;
    const QString post = m_editor.text();
    const MatchOptions how = options();
    const QList<TextRange> matches =
        seek->findAll(post, how.skipTags ? postMarkup(post, m_markup) : QList<TextRange>());
    const TextRange selected{m_editor.selStart(), m_editor.selLength()};
    // Only a selected match is replaced; otherwise the first press finds one.
    if (std::find(matches.begin(), matches.end(), selected) != matches.end())
        m_editor.setSelText(m_replacement->text());
    findNext();
}

void ReplaceWindow::replaceAll()
{
    const std::optional<TextMatcher> seek = matcher();
    if (!seek)
        return;
    const QString post = m_editor.text();
    const MatchOptions how = options();
    QList<TextRange> matches =
        seek->findAll(post, how.skipTags ? postMarkup(post, m_markup) : QList<TextRange>());
    // A selection of more than one line is where to replace; a word or a
    // match selected is only where the search is.
    const qsizetype selStart = m_editor.selStart();
    const qsizetype selLength = m_editor.selLength();
    const bool inSelection = holdsLineBreak(QStringView(post).mid(selStart, selLength));
    if (inSelection) {
        matches.removeIf([&](const TextRange &match) {
            return match.start < selStart || match.end() > selStart + selLength;
        });
    }
    if (!matches.isEmpty()) {
        // One replacement of the stretch from the first match to the last:
        // one undo step, and the text between the matches goes back exactly.
        const qsizetype from = matches.first().start;
        const qsizetype to = matches.last().end();
        for (TextRange &match : matches)
            match.start -= from;
        const QString replaced =
            replaceMatches(QStringView(post).mid(from, to - from), matches, m_replacement->text());
        m_editor.replace(from, to - from, replaced);
        if (inSelection)
            m_editor.select(selStart, selLength + replaced.size() - (to - from));
        m_editor.ensureCursorVisible();
    }
    m_platform.messageBox(QStringLiteral("تم استبدال %1").arg(matches.size()), programName(),
                          MessageIcon::Information);
}

void ReplaceWindow::drawMatches()
{
    m_redraw.stop();
    std::optional<TextMatcher> seek = isVisible() ? matcher() : std::nullopt;
    if (!seek && !m_layer.isDrawing())
        return;
    m_layer.setMatcher(std::move(seek));
    emit highlightsChanged();
}

void ReplaceWindow::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        hide();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ReplaceWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    drawMatches();
}

void ReplaceWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    drawMatches();
}

ReplaceWindowOpener::ReplaceWindowOpener(PostEditor &editor, Platform &platform, MarkupFinder markup,
                                         QString preferencesFile, QWidget *owner)
    : QObject(owner)
    , m_editor(editor)
    , m_platform(platform)
    , m_markup(std::move(markup))
    , m_preferences(std::move(preferencesFile))
    , m_owner(owner)
{
    setObjectName(QStringLiteral("ReplaceWindowOpener"));
}

ReplaceWindowOpener::~ReplaceWindowOpener()
{
    delete m_window;
}

void ReplaceWindowOpener::open()
{
    if (!m_window) {
        m_window = new ReplaceWindow(m_editor, m_platform, m_layer, m_markup, m_preferences, m_owner);
        connect(m_window, &ReplaceWindow::highlightsChanged, this, &ReplaceWindowOpener::highlightsChanged);
    }
    m_window->open();
}

} // namespace zarvelo
