#include "ui/captionfit.h"

#include "ui/lookcache.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>

namespace zarvelo {

namespace {
constexpr qreal kSmallestPointSize = 7.0;
} // namespace

namespace {

void fitMeasured(QWidget *scope, const std::vector<CaptionBox> &boxes)
{
    QFont font = scope->font();
    if (font.pointSizeF() <= 0)
        return; // a pixel-sized font was chosen on purpose; leave it
    // Half-point steps, and the smallest size itself last: a caption that
    // fits only there must not stay cut at the step above it.
    for (qreal size = std::max(font.pointSizeF(), kSmallestPointSize);;
         size = std::max(size - 0.5, kSmallestPointSize)) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const CaptionBox &box : boxes)
            fits = fits && metrics.horizontalAdvance(box.text) <= box.width;
        if (fits || size <= kSmallestPointSize)
            break;
    }
    if (font != scope->font())
        scope->setFont(font);
}

/** Runs fit on widget, or, where kept holds the answer to the same question
    for the same named widget, sets the font size it gave. Besides the
    installed fonts (the cache's stamp), the answer depends on the texts and
    their room, the font asked for and the screen. */
template <typename Fit>
void fitOrTakeKept(QWidget *widget, const std::vector<CaptionBox> &boxes, LookCache *kept, Fit fit)
{
    if (!kept || widget->objectName().isEmpty()) {
        fit();
        return;
    }
    const QFont asked = widget->font();
    QStringList parts{asked.toString(), asked.families().join(QLatin1Char(',')),
                      QString::number(widget->logicalDpiY()), QString::number(widget->devicePixelRatioF())};
    for (const CaptionBox &box : boxes)
        parts << box.text << QString::number(box.width);
    const QByteArray question = parts.join(QLatin1Char('\t')).toUtf8() + '\n';
    const QString name = QLatin1String("fit ") + widget->objectName();
    if (const QByteArray answer = kept->measure(name); answer.startsWith(question)) {
        // The size it was fitted to, or 0 where it kept its own.
        if (const double size = answer.mid(question.size()).toDouble(); size > 0) {
            QFont fitted = asked;
            fitted.setPointSizeF(size);
            widget->setFont(fitted);
        }
        return;
    }
    fit();
    const QFont now = widget->font();
    kept->keepMeasure(name,
                      question + (now == asked ? QByteArray("0") : QByteArray::number(now.pointSizeF())));
}

} // namespace

void fitFontToCaptions(QWidget *scope, const std::vector<CaptionBox> &boxes, LookCache *kept)
{
    fitOrTakeKept(scope, boxes, kept, [&] { fitMeasured(scope, boxes); });
}

void fitEachCaption(QWidget *scope, LookCache *kept)
{
    for (QWidget *widget : scope->findChildren<QWidget *>()) {
        QString text;
        int room = 0;
        if (auto *label = qobject_cast<QLabel *>(widget); label && !label->wordWrap()) {
            text = label->text();
            room = label->contentsRect().width() - 2 * label->margin();
        } else if (auto *button = qobject_cast<QPushButton *>(widget)) {
            text = button->text();
            room =
                button->width() - 2 * button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
        }
        if (text.isEmpty() || text.contains(QLatin1Char('\n')))
            continue;
        // Only this control: its own font, so the window's stays as it is.
        const std::vector<CaptionBox> boxes{{text, room}};
        fitOrTakeKept(widget, boxes, kept, [&] {
            if (QFontMetrics(widget->font()).horizontalAdvance(text) > room)
                fitMeasured(widget, boxes);
        });
    }
}

int checkBoxCaptionWidth(QAbstractButton *checkBox)
{
    // The room the style leaves beside the indicator; it does not depend on
    // the font's size.
    QStyleOptionButton option;
    option.initFrom(checkBox);
    option.text = checkBox->text();
    return checkBox->style()->subElementRect(QStyle::SE_CheckBoxContents, &option, checkBox).width();
}

} // namespace zarvelo
