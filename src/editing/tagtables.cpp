#include "editing/tagtables.h"

namespace zarvelo {

const std::array<TagRow, 9> TagTable{{
    {u"[B]", u"[/B]", 7},
    {u"[I]", u"[/I]", 7},
    {u"[U]", u"[/U]", 7},
    {u"[LEFT]", u"[/LEFT]", 13},
    {u"[CENTER]", u"[/CENTER]", 17},
    {u"[RIGHT]", u"[/RIGHT]", 15},
    {u"[CODE]", u"[/CODE]", 13},
    {u"[HTML]", u"[/HTML]", 13},
    {u"[PHP]", u"[/PHP]", 11},
}};

const std::array<TagRow, 3> PromptTagTable{{
    {u"[img]", u"[/img]", 11},
    {{}, {}, 12},
    {{}, {}, 16},
}};

const std::array<QStringView, 3> PromptText{
    u"من فضلك ادخل رابط الصورة",
    u"من فضلك ادخل الرابط",
    u"من فضلك ادخل اسم المقتبس منه",
};

const std::array<QStringView, 6> StockPhrase{
    u" السلام عليكم و رحمة الله و بركاته",
    u" و عليكم السلام و رحمة الله و بركاته",
    u" بسم الله الرحمن الرحيم",
    u" ألف شكر لك أخي الكريم",
    u" بسم الله والحمد لله وصلى الله وسلم على رسول الله وعلى آله وأصحابه ومن اهتدى بهداه ",
    u" ها ها هو هههههههههه",
};

// Command4's tooltip says size 3 while its string sets size 4; the string is
// what users have always got, so it stays.
const std::array<PresetStyle, 6> PresetStyles{{
    {"Command3", u"[FONT='Andalus'][SIZE=7][B]", u"[/B][/SIZE][/FONT]", 45},
    {"Command4", u"[FONT='MS Sans Serif'][SIZE=4][B]", u"[/B][/SIZE][/FONT]", 51},
    {"Command5", u"[FONT='Arial'][SIZE=4][B]", u"[/B][/SIZE][/FONT]", 43},
    {"Command6", u"[FONT='Tahoma'][SIZE=4]", u"[/SIZE][/FONT]", 37},
    {"Command7", u"[FONT='Akhbar MT'][SIZE=5][B]", u"[/B][/SIZE][/FONT]", 47},
    {"Command8", u"[FONT='Monotype Koufi'][SIZE=6][B]", u"[/B][/SIZE][/FONT]", 52},
}};

const QStringView SelectFirstMessage = u"من فضلك ظلل النص أولاً";

const QStringView FontListAfterSelectFirst = u"نوع الخط";

} // namespace zarvelo
