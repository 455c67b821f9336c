#include "postcheck/postcheckwindow.h"

#include "platform/isolate.h"
#include "ui/posteditor.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace zarvelo {

namespace {

enum Column { LineColumn, TextColumn, ProblemColumn, FixColumn, kColumns };

const QString &fixCaption()
{
    static const QString caption = QStringLiteral("إصلاح");
    return caption;
}

/** The text concerned as one line, cut short when long, each tag a
    left-to-right unit and the whole in the direction of its first letter
    outside the tags, as the editor shows a paragraph. */
QString shownText(QStringView text)
{
    constexpr qsizetype kLongest = 40;
    QString shown = text.left(kLongest).toString();
    shown.replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\r', u' ').replace(u'\n', u' ');
    if (text.size() > kLongest)
        shown += QStringLiteral("…");
    return isolated(PostEditor::withIsolatedTags(shown));
}

/** The fix column's cells drawn as buttons; a click on one is the view's. */
class FixButtonDelegate final : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QWidget *widget = option.widget;
        QStyle *style = widget ? widget->style() : QApplication::style();
        QStyleOptionViewItem cell(option);
        initStyleOption(&cell, index);
        cell.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);
        if (index.data().toString().isEmpty())
            return;
        QStyleOptionButton button;
        button.rect = option.rect.adjusted(2, 1, -2, -1);
        button.text = index.data().toString();
        button.state = QStyle::State_Enabled | QStyle::State_Raised;
        button.direction = option.direction;
        button.fontMetrics = option.fontMetrics;
        style->drawControl(QStyle::CE_PushButton, &button, painter, widget);
    }

    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        const QSize text = option.fontMetrics.size(0, fixCaption());
        return QStyledItemDelegate::sizeHint(option, index).expandedTo(text + QSize(24, 8));
    }
};

} // namespace

/** The problems of the post as rows of the list. */
class ProblemModel final : public QAbstractTableModel
{
public:
    explicit ProblemModel(QObject *parent)
        : QAbstractTableModel(parent)
    {}

    void show(const PostCheck *check, const QString *post, const ForumLimits *limits)
    {
        beginResetModel();
        m_check = check;
        m_post = post;
        m_limits = limits;
        endResetModel();
    }

    int rowCount(const QModelIndex &parent = {}) const override
    {
        return parent.isValid() || !m_check ? 0 : int(m_check->problems.size());
    }
    int columnCount(const QModelIndex &parent = {}) const override { return parent.isValid() ? 0 : kColumns; }

    QVariant data(const QModelIndex &index, int role) const override
    {
        const bool tip = role == Qt::ToolTipRole && index.column() == ProblemColumn;
        if ((role != Qt::DisplayRole && !tip) || !index.isValid())
            return {};
        const PostProblem &problem = m_check->problems[index.row()];
        switch (index.column()) {
        case LineColumn:
            return problem.line;
        case TextColumn:
            return shownText(QStringView(*m_post).mid(problem.start, problem.length));
        case ProblemColumn:
            return problemDescription(problem, *m_limits);
        default:
            return problem.fix ? fixCaption() : QString();
        }
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
            return {};
        switch (section) {
        case LineColumn:
            return QStringLiteral("السطر");
        case TextColumn:
            return QStringLiteral("النص");
        case ProblemColumn:
            return QStringLiteral("المشكلة");
        default:
            return QString();
        }
    }

private:
    const PostCheck *m_check = nullptr;
    const QString *m_post = nullptr;
    const ForumLimits *m_limits = nullptr;
};

PostCheckWindow::PostCheckWindow(PostEditor &editor, const ForumLimits &limits, QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_editor(editor)
    , m_limits(limits)
{
    setObjectName(QStringLiteral("PostCheckWindow"));
    setWindowTitle(QStringLiteral("فحص المشاركة"));
    setLayoutDirection(Qt::RightToLeft);
    // Shown beside the editor while the user types into it.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_characters = new QSpinBox(this);
    m_characters->setObjectName(QStringLiteral("forumLimit"));
    m_characters->setRange(1, 100'000'000);
    m_characters->setGroupSeparatorShown(false);
    m_characters->setValue(int(std::min<qsizetype>(limits.characters, m_characters->maximum())));
    m_quoteDepth = new QSpinBox(this);
    m_quoteDepth->setObjectName(QStringLiteral("quoteDepth"));
    m_quoteDepth->setRange(0, 99);
    m_quoteDepth->setValue(limits.quoteDepth);
    auto *limitsRow = new QHBoxLayout;
    limitsRow->addWidget(new QLabel(QStringLiteral("حد المنتدى من الأحرف:"), this));
    limitsRow->addWidget(m_characters);
    limitsRow->addSpacing(16);
    limitsRow->addWidget(new QLabel(QStringLiteral("أعمق اقتباس:"), this));
    limitsRow->addWidget(m_quoteDepth);
    limitsRow->addStretch(1);
    connect(m_characters, &QSpinBox::valueChanged, this, &PostCheckWindow::setLimits);
    connect(m_quoteDepth, &QSpinBox::valueChanged, this, &PostCheckWindow::setLimits);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("checkSummary"));
    m_model = new ProblemModel(this);
    m_list = new QTreeView(this);
    m_list->setObjectName(QStringLiteral("problemList"));
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_list->setItemDelegateForColumn(FixColumn, new FixButtonDelegate(m_list));
    QHeaderView *header = m_list->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(LineColumn, QHeaderView::ResizeToContents);
    header->setSectionResizeMode(TextColumn, QHeaderView::Interactive);
    header->setSectionResizeMode(ProblemColumn, QHeaderView::Stretch);
    header->setSectionResizeMode(FixColumn, QHeaderView::Fixed);
    header->resizeSection(TextColumn, 190);
    header->resizeSection(FixColumn, fontMetrics().horizontalAdvance(fixCaption()) + 28);
    connect(m_list, &QTreeView::clicked, this, &PostCheckWindow::rowClicked);

    m_fixAll = new QPushButton(QStringLiteral("إصلاح الكل"), this);
    m_fixAll->setObjectName(QStringLiteral("fixAll"));
    m_fixAll->setFocusPolicy(Qt::NoFocus);
    connect(m_fixAll, &QPushButton::clicked, this, &PostCheckWindow::fixAll);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_summary, 1);
    bottom->addWidget(m_fixAll);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(limitsRow);
    layout->addWidget(m_list, 1);
    layout->addLayout(bottom);

    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &PostCheckWindow::refresh);
    connect(&editor, &PostEditor::textChanged, this, &PostCheckWindow::postChanged);
    resize(620, 380);
}

PostCheckWindow::~PostCheckWindow()
{
    // The list reads the check's problems through its model, and closing the
    // window lays the list out again: it goes while the check is still here,
    // not later when the window's base class closes it.
    delete m_list;
}

QString PostCheckWindow::summary() const
{
    return m_summary->text();
}

void PostCheckWindow::refresh()
{
    m_delay.stop();
    m_checked = m_editor.text();
    m_check = checkPost(m_checked, m_limits);
    // The list stays where the user scrolled it while the typing goes on.
    const int scrolled = m_list->verticalScrollBar()->value();
    m_model->show(&m_check, &m_checked, &m_limits);
    m_list->verticalScrollBar()->setValue(scrolled);
    const qsizetype count = m_check.problems.size();
    m_summary->setText(count == 0 ? QStringLiteral("لا مشكلات في المشاركة")
                                  : QStringLiteral("عدد المشكلات: %1").arg(count));
    m_fixAll->setEnabled(std::any_of(m_check.problems.cbegin(), m_check.problems.cend(),
                                     [](const PostProblem &problem) { return problem.fix.has_value(); }));
}

bool PostCheckWindow::listIsOfThePost() const
{
    return !m_delay.isActive() && m_editor.text() == m_checked;
}

void PostCheckWindow::fix(int row)
{
    // A row of a post that has changed since may point anywhere in it.
    if (!listIsOfThePost()) {
        refresh();
        return;
    }
    if (row < 0 || row >= m_check.problems.size() || !m_check.problems[row].fix)
        return;
    m_editor.applyEdits({*m_check.problems[row].fix});
    refresh();
    backToEditor();
}

void PostCheckWindow::fixAll()
{
    m_editor.applyEdits(fixEverything(m_editor.text(), m_limits));
    refresh();
    backToEditor();
}

void PostCheckWindow::rowClicked(const QModelIndex &index)
{
    if (!listIsOfThePost()) {
        refresh();
        return;
    }
    const PostProblem &problem = m_check.problems.at(index.row());
    if (index.column() == FixColumn && problem.fix) {
        fix(index.row());
        return;
    }
    m_editor.select(problem.start, problem.length);
    backToEditor();
}

void PostCheckWindow::backToEditor()
{
    // The user goes on typing where the list sent them.
    if (QWidget *main = m_editor.window())
        main->activateWindow();
    m_editor.setFocus();
}

void PostCheckWindow::setLimits()
{
    m_limits.characters = m_characters->value();
    m_limits.quoteDepth = m_quoteDepth->value();
    emit limitsChanged(m_limits);
    if (isVisible())
        refresh();
}

void PostCheckWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void PostCheckWindow::hideEvent(QHideEvent *event)
{
    m_delay.stop();
    QWidget::hideEvent(event);
}

void PostCheckWindow::postChanged()
{
    if (isVisible())
        m_delay.start();
}

} // namespace zarvelo
