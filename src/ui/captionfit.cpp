#include "ui/captionfit.h"

#include <QAbstractButton>
#include <QFontMetrics>
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
    for (qreal size = font.pointSizeF(); size >= kSmallestPointSize; size -= 0.5) {
        font.setPointSizeF(size);
        const QFontMetrics metrics(font);
        bool fits = true;
        for (const CaptionBox &box : boxes)
            fits = fits && metrics.horizontalAdvance(box.text) <= box.width;
        if (fits)
            break;
    }
    font.setPointSizeF(std::max(font.pointSizeF(), kSmallestPointSize));
    if (font != scope->font())
        scope->setFont(font);
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
