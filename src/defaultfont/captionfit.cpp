#include "defaultfont/captionfit.h"

#include <QFontMetrics>
#include <QStyle>
#include <QWidget>

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

int checkBoxCaptionWidth(QWidget *checkBox)
{
    const QStyle *style = checkBox->style();
    return checkBox->width() - style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, checkBox)
           - style->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, checkBox);
}

} // namespace zarvelo
