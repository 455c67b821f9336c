#include "shell/form1table.h"

namespace zarvelo {

namespace {
using K = ControlKind;
constexpr int kBannerText = 0x0000C0;
constexpr int kBannerGround = 0xFF8000;
} // namespace

const std::vector<ControlDef> &form1RightGroup()
{
    // clang-format off
    static const std::vector<ControlDef> controls{
        {"Frame3", K::Frame, nullptr, 5160, 30, 4880, 1455, 41, nullptr, nullptr},
        {"Label11", K::Label, "Frame3", 1920, 240, 450, 255, 44, "الحجـم:", nullptr},
        {"Combo1", K::EditableCombo, nullptr, 7680, 240, 2270, 315, 13, "نــــوع الـخــــــــط", nullptr},
        {"Combo3", K::ListCombo, nullptr, 6480, 240, 495, 315, 14, nullptr, nullptr},
        {"Command1", K::Button, nullptr, 5280, 240, 1095, 315, 15, "لون الخط...", nullptr},
        {"cmdBOLD_0", K::PictureButton, nullptr, 9600, 610, 375, 375, 1, nullptr, "اسود عريض"},
        {"cmdBOLD_1", K::PictureButton, nullptr, 9240, 610, 375, 375, 2, nullptr, "مائل"},
        {"cmdBOLD_2", K::PictureButton, nullptr, 8880, 610, 375, 375, 3, nullptr, "تحته خط"},
        {"cmdBOLD_3", K::PictureButton, nullptr, 8400, 610, 375, 375, 4, nullptr, "محاذاه إلى اليسار"},
        {"cmdBOLD_4", K::PictureButton, nullptr, 8040, 610, 375, 375, 5, nullptr, "توسيط"},
        {"cmdBOLD_5", K::PictureButton, nullptr, 7680, 610, 375, 375, 6, nullptr, "محاذاه إلى اليمين"},
        {"cmdPROM_0", K::PictureButton, nullptr, 7200, 610, 375, 375, 7, nullptr, "إضافة صورة"},
        {"cmdPROM_1", K::PictureButton, nullptr, 6840, 610, 375, 375, 8, nullptr, "إضافة لينك"},
        {"cmdPROM_2", K::PictureButton, nullptr, 6480, 610, 375, 375, 9, nullptr, "إقتباس"},
        {"cmdBOLD_6", K::PictureButton, nullptr, 6000, 610, 375, 375, 10, nullptr, "إضافة كود"},
        {"cmdBOLD_7", K::PictureButton, nullptr, 5640, 610, 375, 375, 11, nullptr, "كود HTML"},
        {"cmdBOLD_8", K::PictureButton, nullptr, 5280, 610, 375, 375, 12, nullptr, "كود PHP"},
        {"Command2_0", K::Button, nullptr, 9120, 1040, 855, 375, 16, "الســــلام", nullptr},
        {"Command2_1", K::Button, nullptr, 8280, 1040, 855, 375, 17, "رد السلام", nullptr},
        {"Command2_2", K::Button, nullptr, 7560, 1040, 735, 375, 18, "البسمله", nullptr},
        {"Command2_3", K::Button, nullptr, 6840, 1040, 735, 375, 19, "شكر", nullptr},
        {"Command2_4", K::Button, nullptr, 6120, 1040, 735, 375, 20, "مقدمه", nullptr},
        {"Command2_5", K::Button, nullptr, 5280, 1040, 855, 375, 21, "ضحــكه", nullptr},

    };
    // clang-format on
    return controls;
}

const std::vector<ControlDef> &form1Controls()
{
    // name, kind, container, left, top, width, height, tab, caption, tooltip, font…
    // clang-format off
    static const std::vector<ControlDef> controls = [] {
        std::vector<ControlDef> all{
        // Editor area.
        {"Text1", K::PostEditor, nullptr, 120, 1560, 9975, 5055, 0, "بسم الله الرحمن الرحيم", nullptr,
         "Arial", 12, true},
        };
        // The right group, with its frame behind it.
        all.insert(all.end(), form1RightGroup().begin(), form1RightGroup().end());
        all.insert(all.end(), {
        // Left group: the default-font panel and the preset styles.
        {"Frame2", K::Frame, nullptr, 120, 30, 1640, 1455, 29, "الخط الإفتراضي", nullptr},
        {"Frame1", K::Frame, nullptr, 1810, 30, 3320, 1455, 39, nullptr, nullptr},
        {"Command3", K::PictureButton, nullptr, 3960, 240, 1095, 705, 38, nullptr, "خط أندلس حجم 7",
         "Andalus", 36, true},
        {"Command8", K::PictureButton, nullptr, 2880, 240, 1095, 705, 26, nullptr, "خط كوفي حجم 6",
         "Monotype Koufi", 24, true},
        {"Command7", K::PictureButton, nullptr, 1920, 240, 975, 705, 25, nullptr, "خط الأخبار حجم 5",
         "Akhbar MT", 18, true},
        {"Command6", K::Button, nullptr, 3960, 910, 1095, 500, 24, "جاهزه", "خط تاهوما حجم 4", "Tahoma",
         14.25, false},
        {"Command5", K::Button, nullptr, 2880, 910, 1095, 500, 23, "للإستخدام", "خط اريال حجم 4", "Arial",
         12, true},
        {"Command4", K::Button, nullptr, 1920, 910, 975, 500, 22, "السريع", "خط سيرف حجم 3",
         "MS Sans Serif", 9.75, true},

        // The labels of the default-font panel, inside Frame2.
        {"Label10", K::Label, "Frame2", 90, 220, 1450, 200, 40, "Times New Rom..", nullptr},
        {"Label2", K::Label, "Frame2", 840, 420, 615, 255, 30, "عريض:", nullptr},
        {"Label4", K::Label, "Frame2", 120, 420, 615, 200, 32, "نعم", nullptr},
        {"Label3", K::Label, "Frame2", 840, 660, 615, 255, 31, "المحاذاة:", nullptr},
        {"Label5", K::Label, "Frame2", 120, 660, 615, 200, 33, "توسيط", nullptr},
        {"Label8", K::Label, "Frame2", 840, 920, 615, 255, 36, "الحجم:", nullptr},
        {"Label9", K::Label, "Frame2", 120, 920, 615, 200, 37, "4", nullptr},
        {"Label6", K::Label, "Frame2", 840, 1150, 615, 255, 34, "اللون:", nullptr},
        {"Label7", K::Label, "Frame2", 360, 1160, 375, 230, 35, nullptr, nullptr},

        // The banner, shown in the gap between the groups of a wide window.
        {"Label1", K::Label, nullptr, 5190, 180, 200, 1250, 45, nullptr, nullptr, "Tahoma", 8.25, true,
         kBannerText, kBannerGround},

        // Bottom row.
        {"Command12", K::Button, nullptr, 1040, 6720, 2175, 300, 27, "نسخ المشاركة في الحافظه", nullptr},
        {"Command13", K::Button, nullptr, 4080, 6720, 2175, 300, 28, "قلب محاذاة المحرر", nullptr},
        {"Command9", K::Button, nullptr, 7080, 6720, 2175, 300, 42, "مـــعايــنـه", nullptr},
        });
        return all;
    }();
    // clang-format on
    return controls;
}

const std::vector<MenuDef> &form1Menu()
{
    // clang-format off
    static const std::vector<MenuDef> menu{
        {"file", nullptr, "&ملف", nullptr, true},
        {"SAVE", "file", "حفظ", "Ctrl+S", false},
        {"SAVEAS", "file", "حفظ باسم...", "F2", false},
        {"OPEN", "file", "فتح...", "Ctrl+O", false},
        {"RECENT", "file", "المشاركات الأخيرة", nullptr, true},
        {"DRAFTS", "file", "المسودات...", "Ctrl+Shift+T", false},
        {"NEWPOST", "file", "مشاركة جديدة   ", "Ctrl+N", false},
        {"sdsdsdsd", "file", "-", nullptr, false},
        {"EXIT", "file", "خروج", "Ctrl+Q", false},
        {"tools", nullptr, "أدوات", nullptr, true},
        {"DEFAULTFONT", "tools", "إع&دادات الخط الإفتراضي...", nullptr, false},
        {"ghghghgh", "tools", "-", nullptr, false},
        {"find", "tools", "بحث...", "F3", false},
        {"REPLACE", "tools", "بحث واستبدال...", "Ctrl+H; Ctrl+F", false},
        {"LIVEPREVIEW", "tools", "معاينة مباشرة", "F5", false},
        {"SPELLCHECK", "tools", "التدقيق الإملائي", nullptr, false},
        {"AUTODIRECTION", "tools", "اتجاه الفقرة من نصها", nullptr, false},
        {"PASTEMARKUP", "tools", "لصق مع التنسيق", "Ctrl+Shift+V", false},
        {"COPYFORMATTED", "tools", "نسخ المشاركة منسقة", "Ctrl+Shift+C", false},
        {"CHECKPOST", "tools", "فحص المشاركة", "F7", false},
        {"ABOUT", nullptr, "عــن...", nullptr, false},
    };
    // clang-format on
    return menu;
}

} // namespace zarvelo
