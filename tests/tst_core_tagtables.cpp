#include "editing/tagtables.h"

#include <QTest>

using namespace zarvelo;

class TestTagTables : public QObject
{
    Q_OBJECT

private slots:
    // The commands select by these counts, so a count that differs from its
    // tags would leave a wrong selection after the command.
    void countsMatchTheTags()
    {
        for (const TagRow &row : TagTable)
            QCOMPARE(row.TagLength, row.OpenTag.size() + row.CloseTag.size());
        QCOMPARE(PromptTagTable[0].TagLength, PromptTagTable[0].OpenTag.size() + PromptTagTable[0].CloseTag.size());
        QCOMPARE(PromptTagTable[1].TagLength, QStringView(u"[URL=][/URL]").size());
        QCOMPARE(PromptTagTable[2].TagLength, QStringView(u"[QUOTE=][/QUOTE]").size());
        for (const PresetStyle &style : PresetStyles)
            QCOMPARE(style.count, style.opening.size() + style.closing.size());
    }

    void tagsCloseWhatTheyOpen()
    {
        for (const TagRow &row : TagTable)
            QCOMPARE(row.CloseTag.toString(), row.OpenTag.toString().insert(1, u'/'));
        for (const PresetStyle &style : PresetStyles) {
            // Closing tags come in the reverse order of the opening ones.
            const QStringList open = style.opening.toString().split(u'[', Qt::SkipEmptyParts);
            const QStringList close = style.closing.toString().split(QLatin1String("[/"), Qt::SkipEmptyParts);
            QCOMPARE(open.size(), close.size());
            for (qsizetype i = 0; i < open.size(); ++i) {
                const QString name = close[close.size() - 1 - i].chopped(1);
                QVERIFY2(open[i].startsWith(name), qPrintable(open[i]));
            }
        }
    }

    void phrasesStandApart()
    {
        const qsizetype lengths[] = {34, 36, 23, 22, 83, 20};
        for (size_t i = 0; i < StockPhrase.size(); ++i) {
            QCOMPARE(StockPhrase[i].size(), lengths[i]);
            QVERIFY(StockPhrase[i].startsWith(u' '));
            // Only the introduction ends with a space, so text typed after it stands apart.
            QCOMPARE(StockPhrase[i].endsWith(u' '), i == 4);
        }
    }
};

QTEST_APPLESS_MAIN(TestTagTables)
#include "tst_core_tagtables.moc"
