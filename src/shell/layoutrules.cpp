#include "shell/layoutrules.h"

#include <algorithm>
#include <array>

namespace zarvelo {

namespace {

constexpr double kBannerShowAbove = 10590.0;
constexpr double kBannerTextAbove = 11310.0;
constexpr double kBannerOffset = 10390.0;

struct Distance
{
    const char *control;
    double fromRightEdge;
};

// The right group follows the window's right edge at these distances, applied
// in this order.
// clang-format off
constexpr std::array<Distance, 22> kRightGroup{{
    {"Command1", 5055},  {"Command2_0", 1215}, {"Command2_1", 2055}, {"Command2_2", 2775},
    {"Command2_3", 3495}, {"Command2_4", 4215}, {"Command2_5", 5055}, {"cmdBOLD_0", 735},
    {"cmdBOLD_1", 1095}, {"cmdBOLD_2", 1455},  {"cmdBOLD_3", 1935},  {"cmdBOLD_4", 2295},
    {"cmdBOLD_5", 2655}, {"cmdBOLD_6", 4335},  {"cmdBOLD_7", 4695},  {"cmdBOLD_8", 5055},
    {"cmdPROM_0", 3135}, {"cmdPROM_1", 3495},  {"cmdPROM_2", 3855},  {"Combo1", 2655},
    {"Combo3", 3855},    {"Frame3", 5155},
}};
// clang-format on

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

    layout.rightGroup.reserve(qsizetype(kRightGroup.size()));
    for (const Distance &d : kRightGroup)
        layout.rightGroup.append({QString::fromLatin1(d.control), w - d.fromRightEdge});

    layout.editorWidth = w - 360;
    layout.editorHeight = h - 2805;
    layout.command13Left = (w - 2175) / 2;
    layout.command9Left = w - 3255;
    layout.bottomRowTop = h - 1200;
    return layout;
}

} // namespace zarvelo
