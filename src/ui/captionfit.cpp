#include "ui/captionfit.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>

namespace zarvelo {

namespace {
constexpr qreal kSmallestPointSize = 7.0;
} // namespace

void fitFontToCaptions(QWidget *scope, const std::vector<CaptionBox> &boxes)
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

void fitEachCaption(QWidget *scope)
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
        if (text.isEmpty() || text.contains(QLatin1Char('\n'))
            || QFontMetrics(widget->font()).horizontalAdvance(text) <= room)
            continue;
        // Only this control: its own font, so the window's stays as it is.
        fitFontToCaptions(widget, {{text, room}});
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
