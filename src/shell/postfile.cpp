#include "shell/postfile.h"

#include "platform/isolate.h"
#include "platform/textfile.h"

namespace zarvelo {

QString postFileFilter()
{
    return QStringLiteral("Text Files(*.txt)|*.txt|All Files(*.*)|*.*");
}

LoadedPost limitLoadedPost(const QString &decoded)
{
    LoadedPost loaded;
    loaded.breaks = lineBreaksOf(decoded);
    const QString post = toEditorLineBreaks(decoded, loaded.breaks);
    // Cheap first: a text no longer in UTF-16 units is no longer in characters.
    loaded.limitPassed = post.size() > kPostLoadLimit && characterCount(post) > kPostLoadLimit;
    if (!loaded.limitPassed) {
        loaded.text = post;
        return loaded;
    }
    QStringView kept = leftCharacters(post, kPostLoadLimit + 1);
    const bool madePair = loaded.breaks == LineBreaks::Lf || loaded.breaks == LineBreaks::Cr;
    if (madePair && kept.endsWith(u'\r') && post.at(kept.size()) == u'\n')
        kept = QStringView(post).first(kept.size() + 1);
    loaded.cut = kept.size() < post.size();
    loaded.text = kept.toString();
    return loaded;
}

QString cutFileQuestion(const QString &path, qint64 fileCharacters)
{
    return QStringLiteral("هذا الملف فُتح مقطوعاً: المحرر لا يحمل إلا أول %1 حرفاً من حروفه البالغة %2.\r\n"
                          "%3\r\n"
                          "الحفظ فيه يحذف بقية الملف. هل تريد الحفظ فيه مع ذلك؟")
        .arg(isolated(kPostLoadLimit + 1), isolated(fileCharacters), isolatedPath(path));
}

QString binaryFileQuestion(const QString &path)
{
    return QStringLiteral("هذا الملف فيه بايتات صفرية، فلا يبدو ملف نص:\r\n"
                          "%1\r\n"
                          "قد تظهر في المحرر رموز لا معنى لها. هل تريد فتحه كنص مع ذلك؟")
        .arg(isolatedPath(path));
}

QString longPostNotice(qint64 postCharacters)
{
    return QStringLiteral("تم حفظ المشاركة، وطولها %1 حرفاً.\r\n"
                          "عند فتح هذا الملف لن يحمل البرنامج منه إلا أول %2 حرفاً.")
        .arg(isolated(postCharacters), isolated(kPostLoadLimit + 1));
}

QString unencodableQuestion(qsizetype count, char32_t example)
{
    const QString reference = QStringLiteral("&#%1;").arg(quint32(example));
    return QStringLiteral("في المشاركة %1 من الحروف لا يحملها الترميز العربي Windows-1256 (مثل %2).\r\n"
                          "احفظها بترميز UTF-8 لتبقى الحروف كلها كما هي، أو بالترميز العربي "
                          "وتُكتب تلك الحروف رموزاً رقمية.")
        .arg(isolated(count), isolated(reference));
}

QStringList unencodableAnswers()
{
    return {QStringLiteral("حفظ بترميز UTF-8"), QStringLiteral("حفظ بالترميز العربي"),
            QStringLiteral("إلغاء")};
}

QString fileFailureMessage(const QString &what, const QString &path, const QString &reason)
{
    return what + QStringLiteral("\r\n") + isolatedPath(path) + QStringLiteral("\r\n") + isolated(reason);
}

QString loadLimitMessage()
{
    return QStringLiteral("الملف كبير جداً\r\nيمكنك تقسيم الملف لتفادي الأخطاء");
}

QString loadLimitTitle()
{
    return QStringLiteral("خطأ");
}

QString postWindowTitle(const QString &path)
{
    const QString name = QStringLiteral("Zarvelo");
    return path.isEmpty() ? name : name + QStringLiteral("  ") + path;
}

} // namespace zarvelo
