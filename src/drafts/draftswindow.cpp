#include "drafts/draftswindow.h"

#include "platform/isolate.h"
#include "platform/platform.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QRegularExpression>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace zarvelo {

namespace {

constexpr qsizetype kFirstLineLength = 80;

enum Column { TimeColumn, LengthColumn, FirstLineColumn, FileColumn };

/** A line of the post led by a mark of its own direction, its tags read as
    units, so that in the right-to-left list a Latin line keeps its leading
    "[" where it belongs. */
QString ownDirection(const QString &text)
{
    if (text.isEmpty())
        return text;
    return QChar(text.isRightToLeft() ? 0x200F : 0x200E) + PostEditor::withIsolatedTags(text);
}

} // namespace

QString draftFirstLine(const QString &text, const QString &untouchedTemplate)
{
    // Every post starts from the template, whose opening tags are the same
    // in each: the first line the user wrote tells the drafts apart.
    static const QRegularExpression breaks(QStringLiteral("\r\n|[\r\n\u2028\u2029]"));
    const QStringList templateLines = untouchedTemplate.split(breaks);
    const QStringList lines = text.split(breaks);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        QString trimmed = lines[i].trimmed();
        if (trimmed.isEmpty() || (i < templateLines.size() && lines[i] == templateLines[i]))
            continue;
        if (trimmed.size() <= kFirstLineLength)
            return trimmed;
        return trimmed.first(kFirstLineLength) + QStringLiteral("…");
    }
    return QString();
}

DraftsWindow::DraftsWindow(DraftStore &store, Platform &platform, std::function<QString()> untouchedTemplate,
                           QWidget *owner)
    : QDialog(owner)
    , m_store(store)
    , m_platform(platform)
    , m_untouchedTemplate(std::move(untouchedTemplate))
{
    setObjectName(QStringLiteral("frmdrafts"));
    setWindowTitle(QStringLiteral("المسودات"));
    setLayoutDirection(Qt::RightToLeft);
    setModal(true);
    resize(760, 540);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("DraftList"));
    m_list->setHeaderLabels({QStringLiteral("التاريخ والوقت"), QStringLiteral("الطول"),
                             QStringLiteral("السطر الأول"), QStringLiteral("الملف")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);

    m_view = new PostEditor(this);
    m_view->setObjectName(QStringLiteral("DraftView"));
    m_view->setReadOnly(true);
    m_view->setPlaceholderText(QStringLiteral("لا توجد مسودات بعد."));

    m_restore = new QPushButton(QStringLiteral("استعادة"), this);
    m_restore->setObjectName(QStringLiteral("cmdRESTORE"));
    m_restore->setDefault(true);
    m_delete = new QPushButton(QStringLiteral("حذف"), this);
    m_delete->setObjectName(QStringLiteral("cmdDELETE"));
    auto *close = new QPushButton(QStringLiteral("إغلاق"), this);
    close->setObjectName(QStringLiteral("cmdCLOSE"));

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_restore);
    buttons->addWidget(m_delete);
    buttons->addStretch();
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_list, 2);
    layout->addWidget(m_view, 3);
    layout->addLayout(buttons);

    connect(m_list, &QTreeWidget::currentItemChanged, this, &DraftsWindow::showSelected);
    connect(m_list, &QTreeWidget::itemActivated, m_restore, &QPushButton::click);
    connect(m_restore, &QPushButton::clicked, this, [this] {
        const int row = selectedRow();
        if (row < 0 || m_drafts[size_t(row)].damaged)
            return;
        m_chosen = m_drafts[size_t(row)];
        accept();
    });
    connect(m_delete, &QPushButton::clicked, this, &DraftsWindow::deleteSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<Draft> DraftsWindow::choose()
{
    m_chosen.reset();
    reload(0);
    m_list->setFocus();
    exec();
    // The window is kept for the next time; the drafts it read are not.
    m_drafts.clear();
    m_list->clear();
    return std::exchange(m_chosen, std::nullopt);
}

void DraftsWindow::reload(int row)
{
    m_drafts = m_store.list();
    m_list->clear();
    const QString untouched = m_untouchedTemplate();
    for (const Draft &draft : m_drafts) {
        auto *item = new QTreeWidgetItem(m_list);
        item->setText(TimeColumn, draft.saved.toLocalTime().toString(QStringLiteral("yyyy/MM/dd  HH:mm:ss")));
        item->setText(LengthColumn, draft.damaged ? QString() : QString::number(draft.text.size()));
        item->setText(FirstLineColumn,
                      draft.damaged ? QStringLiteral("مسودة تالفة: ") + draft.problem
                                    : ownDirection(draftFirstLine(draft.text, untouched)));
        if (!draft.fileName.isEmpty()) {
            item->setText(FileColumn, isolatedPath(QFileInfo(draft.fileName).fileName()));
            item->setToolTip(FileColumn, isolatedPath(QDir::toNativeSeparators(draft.fileName)));
        }
    }
    if (!m_drafts.empty())
        m_list->setCurrentItem(m_list->topLevelItem(qBound(0, row, int(m_drafts.size()) - 1)));
    showSelected();
}

int DraftsWindow::selectedRow() const
{
    return m_list->currentItem() ? m_list->indexOfTopLevelItem(m_list->currentItem()) : -1;
}

void DraftsWindow::showSelected()
{
    const int row = selectedRow();
    const Draft *draft = row >= 0 ? &m_drafts[size_t(row)] : nullptr;
    m_view->setText(!draft               ? QString()
                        : draft->damaged ? QStringLiteral("مسودة تالفة: ") + draft->problem
                                         : draft->text);
    m_restore->setEnabled(draft && !draft->damaged);
    m_delete->setEnabled(draft != nullptr);
}

void DraftsWindow::deleteSelected()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    QString error;
    const QString id = m_drafts[size_t(row)].id;
    if (!m_store.remove(id, &error))
        m_platform.messageBox(QStringLiteral("تعذّر حذف المسودة:\r\n")
                                  + isolatedPath(QDir::toNativeSeparators(m_store.folder() + u'/' + id))
                                  + QStringLiteral("\r\n") + error,
                              QStringLiteral("خطأ"), MessageIcon::Information);
    reload(row);
}

} // namespace zarvelo
