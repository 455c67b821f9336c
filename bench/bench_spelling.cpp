// Spell checking: a whole 20 000-character post of Arabic and English with
// markup, checked from cold (no verdict kept yet), and one keystroke in a
// 1 MB post in the editor, which re-checks only the paragraph typed in.

#include "highlight/posthighlighter.h"
#include "scriptedplatform.h"
#include "spelling/spellcheck.h"
#include "spelling/spellchecker.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

namespace {

using namespace zarvelo;

/** Lines of a forum post: prose in both scripts, a few misspellings, tags. */
QStringList postLines()
{
    return {
        QStringLiteral("[B]السلام عليكم و رحمة الله و بركاته[/B]"),
        QStringLiteral("[FONT='Simplified Arabic'][SIZE=4]كتبت اليوم مقالة جديدة عن تاريخ المدينة القديمة "
                       "وأسواقها ومساجدها[/SIZE][/FONT]"),
        QStringLiteral("The quick brown fox jumps over the lazy dog while the [I]weathr[/I] stays nice."),
        QStringLiteral("[QUOTE=أبو محمد]الحمد لله الذي هدانا لهذا وما كنا لنهتدي لولا أن هدانا الله[/QUOTE]"),
        QStringLiteral("See [URL=http://example.com/forum/thread?id=42]this thread[/URL] and the picture "
                       "[img]http://example.com/a.png[/img] below."),
        QStringLiteral("[COLOR=#FF0000]ذهبت إلى المدرسةة صباحا ثم عدت إلى البيت مساءً[/COLOR]"),
        QStringLiteral("Writing a long reply takes time, but every sentance deserves care and attention."),
        QStringLiteral("وَالْعَصْرِ إِنَّ الإنسان لفي خسر إلا الذين آمنوا وعملوا الصالحات"),
    };
}

/** About `size` characters of post, each copy of a line made a little
    different so that the words are not all the same few. */
QString post(qsizetype size)
{
    const QStringList lines = postLines();
    QString text;
    text.reserve(size + 200);
    for (int i = 0; text.size() < size; ++i) {
        QString line = lines.at(i % lines.size());
        // A different made-up word in every line, as real posts bring names.
        line += QLatin1Char(' ')
            + QString::number(i, 36).replace(QRegularExpression(QStringLiteral("[0-9]")),
                                             QStringLiteral("q"));
        text += line + QLatin1String("\r\n");
    }
    return text.left(size);
}

const SpellDictionaries &dictionaries()
{
    static const SpellDictionaries opened = SpellDictionaries::load(SpellDictionaries::systemFolder());
    return opened;
}

void BM_CheckMixedPost(benchmark::State &state)
{
    if (!dictionaries().arabic || !dictionaries().latin) {
        state.SkipWithError("hunspell-ar and hunspell-en-us are needed");
        return;
    }
    const QString text = post(state.range(0));
    const QStringList paragraphs = text.split(QLatin1String("\r\n"));
    qsizetype misspelt = 0;
    for (auto _ : state) {
        SpellChecker checker(dictionaries()); // no verdict kept from the last round
        misspelt = 0;
        for (const QString &paragraph : paragraphs)
            misspelt += checker.misspeltWords(paragraph).size();
        benchmark::DoNotOptimize(misspelt);
    }
    state.counters["misspelt"] = double(misspelt);
    state.counters["post_chars"] = double(text.size());
}
BENCHMARK(BM_CheckMixedPost)->Arg(20000)->Unit(benchmark::kMillisecond);

/** Presses and releases a letter key, or Backspace for a null letter. */
void typeKey(QWidget &editor, QChar letter)
{
    const int key = letter.isNull() ? int(Qt::Key_Backspace) : int(Qt::Key_A) + (letter.unicode() - u'a');
    const QString text = letter.isNull() ? QString() : QString(letter);
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &press);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &release);
}

/** A shown editor that checks spelling, with its dictionaries open. */
struct CheckedEditor
{
    CheckedEditor()
    {
        auto *highlighter = new PostHighlighter(editor.document());
        spell =
            new SpellCheck(editor, *highlighter, platform,
                           {SpellDictionaries::systemFolder(), personal.filePath(QStringLiteral("w.txt"))});
        highlighter->addLayer(&spell->layer());
        QEventLoop loop;
        QObject::connect(spell, &SpellCheck::loaded, &loop, &QEventLoop::quit);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        spell->setEnabled(true);
        editor.resize(800, 600);
        editor.show();
        loop.exec();
    }

    test::ScriptedPlatform platform;
    QTemporaryDir personal;
    PostEditor editor;
    SpellCheck *spell = nullptr;
};

// How long the editor is held up when a whole 1 MB post arrives at once, with
// spelling off (0) and on (1): the words Hunspell has not seen wait for later.
void BM_SetLongPost(benchmark::State &state)
{
    CheckedEditor checked;
    if (!checked.spell->isLoaded()) {
        state.SkipWithError("the dictionaries did not open");
        return;
    }
    checked.spell->setEnabled(state.range(0) != 0);
    const QString text = post(1 << 20);
    for (auto _ : state) {
        state.PauseTiming();
        SpellChecker fresh(dictionaries());
        checked.spell->layer().setChecker(&fresh); // no verdict kept from the last round
        checked.editor.setText(QString());
        QApplication::processEvents();
        state.ResumeTiming();
        checked.editor.setText(text);
        state.PauseTiming();
        checked.spell->layer().setChecker(nullptr);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SetLongPost)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_KeystrokeInLongPost(benchmark::State &state)
{
    CheckedEditor checked;
    PostEditor &editor = checked.editor;
    if (!checked.spell->isLoaded()) {
        state.SkipWithError("the dictionaries did not open");
        return;
    }
    const QString text = post(1 << 20);
    editor.setText(text);
    // Let the words that had to wait be looked up and drawn.
    for (int i = 0; i < 200; ++i)
        QApplication::processEvents();
    editor.select(text.size() / 2, 0);
    editor.setFocus();

    int keystroke = 0;
    for (auto _ : state) {
        // Typing a letter, then taking it away: each iteration is one keystroke.
        typeKey(editor, keystroke % 2 == 0 ? QChar(u'a' + (keystroke / 2) % 26) : QChar());
        ++keystroke;
        state.PauseTiming();
        QApplication::processEvents(); // the editor repaints between keystrokes
        state.ResumeTiming();
    }
    if (editor.textLength() != text.size() && editor.textLength() != text.size() + 1)
        state.SkipWithError("the keystrokes did not reach the post");
    state.counters["post_chars"] = double(text.size());
}
BENCHMARK(BM_KeystrokeInLongPost)->Unit(benchmark::kMicrosecond)->MinTime(0.5);

} // namespace

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(argc, argv);
}
