#include "platform/filedialog.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QPainter>
#include <QProxyStyle>
#include <QStandardPaths>
#include <QTreeView>

namespace zarvelo {

namespace {

// The folder model writes sizes and dates in the system's locale, often
// English ("65 bytes"), which a right-to-left view turns around ("bytes 65").
// Written in the program's Arabic locale they read in order.
class ReadingOrderModel final : public QIdentityProxyModel
{
public:
    explicit ReadingOrderModel(QObject *parent)
        : QIdentityProxyModel(parent)
    {}

    QVariant data(const QModelIndex &index, int role) const override
    {
        QVariant shown = QIdentityProxyModel::data(index, role);
        auto *files = qobject_cast<QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || shown.toString().isEmpty())
            return shown;
        const QModelIndex source = mapToSource(index);
        switch (index.column()) {
        case kSizeColumn:
            return arabicSize(files->size(source));
        case kTypeColumn:
            // Qt has no Arabic word for it.
            return files->isDir(source) ? QStringLiteral("مجلد") : shown;
        case kDateColumn:
            return QLocale().toString(files->lastModified(source), QLocale::ShortFormat);
        default:
            return shown;
        }
    }

    static constexpr int kSizeColumn = 1;
    static constexpr int kTypeColumn = 2;
    static constexpr int kDateColumn = 3;

    /** A size in Arabic words, as Qt gives only Latin units beyond bytes. */
    static QString arabicSize(qint64 bytes)
    {
        const QLocale locale;
        if (bytes < 1024)
            return locale.toString(bytes) + QStringLiteral(" بايت");
        const char *const units[] = {"كيلوبايت", "ميغابايت", "غيغابايت", "تيرابايت"};
        double value = double(bytes) / 1024;
        int unit = 0;
        for (; value >= 1024 && unit < 3; ++unit)
            value /= 1024;
        return locale.toString(value, 'f', 1) + QLatin1Char(' ') + QString::fromUtf8(units[unit]);
    }
};

// A painter lays text out in the program's direction, whatever the widget's:
// a path would read "tmp/nu/" for "/tmp/nu". Paths are laid out left to
// right and still stand where the right-to-left box puts them.
class PathTextStyle final : public QProxyStyle
{
public:
    void drawItemText(QPainter *painter, const QRect &rect, int flags, const QPalette &palette, bool enabled,
                      const QString &text, QPalette::ColorRole textRole) const override
    {
        painter->save();
        painter->setLayoutDirection(Qt::LeftToRight);
        QProxyStyle::drawItemText(painter, rect, flags | Qt::AlignAbsolute, palette, enabled, text, textRole);
        painter->restore();
    }
};

/** Where a dialog starts: the path offered while its folder is there, else
    the user's documents. Never the folder the program runs in, which the
    launcher makes the data folder, where the drafts would be the first
    thing the user sees. */
QString startingPoint(const QString &initialFileName)
{
    if (!initialFileName.isEmpty() && QFileInfo(initialFileName).absoluteDir().exists())
        return initialFileName;
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QDir(documents).exists() ? documents : QDir::homePath();
}

} // namespace

QString askFileName(QWidget *parent, bool save, const QString &filter, const QString &initialFileName)
{
    QFileDialog dialog(parent, QString(), startingPoint(initialFileName), filter);
    // Qt's own dialog, so that it speaks the program's language whatever the
    // desktop's dialogs would.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setProxyModel(new ReadingOrderModel(&dialog));
    if (save) {
        // A name typed without an extension gets the one its filter shows;
        // with a filter of every file it is kept as typed.
        const auto suffixOf = [&dialog](const QString &nameFilter) {
            dialog.setDefaultSuffix(nameFilter.contains(QLatin1String("*.txt")) ? QStringLiteral("txt")
                                                                                : QString());
        };
        suffixOf(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, suffixOf);
    }
    if (auto *view = dialog.findChild<QTreeView *>(QStringLiteral("treeView"))) {
        // Room for a size and a date in Arabic, which run wider than Qt's guess.
        const QFontMetrics metrics(view->font());
        const int padding = 2 * metrics.averageCharWidth();
        view->header()->resizeSection(ReadingOrderModel::kSizeColumn,
                                      metrics.horizontalAdvance(QStringLiteral("٩٩٩٫٩ ميغابايت")) + padding);
        view->header()->resizeSection(
            ReadingOrderModel::kDateColumn,
            metrics.horizontalAdvance(
                QLocale().toString(QDateTime(QDate(2000, 12, 28), QTime(12, 59)), QLocale::ShortFormat))
                + padding);
    }
    if (auto *lookIn = dialog.findChild<QComboBox *>(QStringLiteral("lookInCombo"))) {
        auto *style = new PathTextStyle;
        style->setParent(&dialog);
        lookIn->setStyle(style);
    }
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return dialog.selectedFiles().value(0);
}

} // namespace zarvelo
