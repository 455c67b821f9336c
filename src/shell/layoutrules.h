#pragma once

#include "ui/controltable.h"

#include <QList>
#include <QString>

namespace zarvelo {

/** What the main window's outer frame is taken to add to its client area
    (borders, title bar and menu bar), in twips. The layout rules read the
    window's outer size, so these turn Qt's client area into that size
    whatever frame the window manager draws. */
constexpr double kFrameAllowanceWidth = 120.0;
constexpr double kFrameAllowanceHeight = 735.0;

/** The main window's smallest outer size, in twips. */
constexpr double kMinimumOuterWidth = 10335.0;
constexpr double kMinimumOuterHeight = 5000.0;

/** Where the main window's resize step puts its controls for an outer size
    W × H in twips. Values are twips; a control keeps whatever is not listed. */
struct Form1Layout
{
    double outerWidth = 0;  ///< W after the minimum-size rules
    double outerHeight = 0; ///< H after the minimum-size rules

    bool bannerVisible = false; ///< Label1
    double bannerWidth = 0;     ///< only when visible
    QString bannerText;         ///< only when visible

    struct Left
    {
        QString control; ///< objectName, e.g. "cmdBOLD_0"
        double left;
    };
    QList<Left> rightGroup; ///< in the order the rule applies them

    double editorWidth = 0;  ///< Text1
    double editorHeight = 0; ///< Text1
    double command13Left = 0;
    double command9Left = 0;
    double bottomRowTop = 0; ///< Command9, Command12, Command13
};

/** The resize step's rules as a pure function of the outer size in twips. */
Form1Layout layoutForm1(double outerWidth, double outerHeight);

/** The banner's five lines, shown when the window is wide enough. */
QString form1BannerText();

} // namespace zarvelo
