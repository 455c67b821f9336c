#include "platform/codepagecheck.h"

#include "platform/platform.h"

namespace zarvelo {

bool checkWindows1256(Platform &platform, bool available)
{
    if (available)
        return true;
    platform.messageBox(QStringLiteral("لا يستطيع Zarvelo العمل على هذا النظام: مكتبة Qt لا تعرف ترميز "
                                       "Windows-1256 العربي، ومن دونه لا تُقرأ المشاركات ولا ملف الإعدادات "
                                       "ولا تُحفظ.\n\nثبّت دعم الترميزات لمكتبة Qt (مكتبة ICU) ثم شغّل "
                                       "البرنامج من جديد."),
                        programName(), MessageIcon::None);
    return false;
}

} // namespace zarvelo
