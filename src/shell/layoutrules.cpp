#include "shell/layoutrules.h"

#include "shell/form1table.h"

#include <algorithm>

namespace zarvelo {

namespace {

constexpr double kBannerShowAbove = 10590.0;
constexpr double kBannerTextAbove = 11310.0;
constexpr double kBannerOffset = 10390.0;

// The frame behind the right group keeps 20 twips further right than the
// table draws it, at every width.
constexpr double kFrame3Shift = 20.0;

} // namespace

QString form1BannerText()
{
    return QStringLiteral("\r\nبرنامج\r\nZarvelo\r\nالإصدار\r\nالأول");
}

Form1Layout layoutForm1(double outerWidth, double outerHeight)
{
    Form1Layout layout;
    // The window never stays smaller than its minimum; the later rules see
    // the size the minimum rules have set.
    const double w = std::max(outerWidth, kMinimumOuterWidth);
    const double h = std::max(outerHeight, kMinimumOuterHeight);
    layout.outerWidth = w;
    layout.outerHeight = h;

    // The banner fills the gap that opens between the two groups.
    layout.bannerVisible = w > kBannerShowAbove;
    if (layout.bannerVisible) {
        layout.bannerWidth = w - kBannerOffset;
        if (w > kBannerTextAbove)
            layout.bannerText = form1BannerText();
    }

    // The right group keeps the distances to the right edge that the table
    // gives it at the smallest width; the controls inside its frame move with it.
    for (const ControlDef &def : form1RightGroup()) {
        if (def.container)
            continue;
        const QString name = QString::fromLatin1(def.name);
        const double shift = name == QLatin1String("Frame3") ? kFrame3Shift : 0.0;
        layout.rightGroup.append({name, def.left + shift + (w - kMinimumOuterWidth)});
    }

    layout.editorWidth = w - 360;
    layout.editorHeight = h - 2805;
    layout.command13Left = (w - 2175) / 2;
    layout.command9Left = w - 3255;
    layout.bottomRowTop = h - 1200;
    return layout;
}

} // namespace zarvelo
