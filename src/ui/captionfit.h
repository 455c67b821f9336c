#pragma once

#include <QString>

#include <vector>

class QAbstractButton;
class QWidget;

namespace zarvelo {

class LookCache;

/** A text and the width, in pixels, that it must fit in. */
struct CaptionBox
{
    QString text;
    int width;
};

/**
 * The windows' boxes are fixed in twips for a small dialog font; where the
 * platform's font is larger, Arabic captions would be cut at their ends.
 * This steps scope's font (and so its controls') down by half points, to no
 * less than 7 points, until every text fits its width. With kept, a fit
 * found for a named scope under the same fonts, texts, screen and boxes is
 * taken from it instead of measured again, and a fit measured is added.
 */
void fitFontToCaptions(QWidget *scope, const std::vector<CaptionBox> &boxes, LookCache *kept = nullptr);

/** Steps down the font of each label and button under scope whose caption
    is wider than its box, by half points to no less than 7 points; the
    others keep theirs. With kept, as fitFontToCaptions. */
void fitEachCaption(QWidget *scope, LookCache *kept = nullptr);

/** The width a check box leaves for its caption beside the indicator. */
int checkBoxCaptionWidth(QAbstractButton *checkBox);

} // namespace zarvelo
