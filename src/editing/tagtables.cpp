#include "editing/tagtables.h"

namespace zarvelo {

const std::array<TagRow, 9> TagTable{{
    {u"[B]", u"[/B]"},
    {u"[I]", u"[/I]"},
    {u"[U]", u"[/U]"},
    {u"[LEFT]", u"[/LEFT]"},
    {u"[CENTER]", u"[/CENTER]"},
    {u"[RIGHT]", u"[/RIGHT]"},
    {u"[CODE]", u"[/CODE]"},
    {u"[HTML]", u"[/HTML]"},
    {u"[PHP]", u"[/PHP]"},
}};

const std::array<TagRow, 3> PromptTagTable{{
    {u"[img]", u"[/img]"},
    {u"[URL=", u"[/URL]"},
    {u"[QUOTE=", u"[/QUOTE]"},
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
    {u"[FONT='Andalus'][SIZE=7][B]", u"[/B][/SIZE][/FONT]"},
    {u"[FONT='MS Sans Serif'][SIZE=4][B]", u"[/B][/SIZE][/FONT]"},
    {u"[FONT='Arial'][SIZE=4][B]", u"[/B][/SIZE][/FONT]"},
    {u"[FONT='Tahoma'][SIZE=4]", u"[/SIZE][/FONT]"},
    {u"[FONT='Akhbar MT'][SIZE=5][B]", u"[/B][/SIZE][/FONT]"},
    {u"[FONT='Monotype Koufi'][SIZE=6][B]", u"[/B][/SIZE][/FONT]"},
}};

const QStringView SelectFirstMessage = u"من فضلك ظلل النص أولاً";

const QStringView FontListAfterSelectFirst = u"نوع الخط";

} // namespace zarvelo
