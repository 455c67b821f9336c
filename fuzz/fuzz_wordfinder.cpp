// Any paragraph: the words found lie inside it, in order, never overlapping,
// never holding a separator or a bracket, and each is found again at its own
// positions.
#include "spelling/wordfinder.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    qsizetype after = 0;
    for (const zarvelo::Word &word : zarvelo::findWords(text)) {
        if (word.length <= 0 || word.start < after || word.end() > text.size())
            std::abort();
        after = word.end();
        const QStringView spelling = QStringView(text).mid(word.start, word.length);
        for (QChar c : spelling) {
            if (c.isSpace() || c == u'[' || c == u']' || c.isDigit())
                std::abort();
        }
        if (!(zarvelo::wordAt(text, word.start) == word) || !(zarvelo::wordAt(text, word.end() - 1) == word))
            std::abort();
        // Composing may even lengthen a word; it must only never fail.
        (void)zarvelo::checkedForm(spelling);
    }
    return 0;
}
