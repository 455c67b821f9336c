// Everything on at once in the real main window, in a 1 MB post of Arabic
// and English with markup: the live preview open and following, the markup
// colours, spell checking with its dictionaries open, and the draft keeper.
// (a) One keystroke on the input path: the key, the highlighting and
//     spelling of its paragraph, and the layout and paint it triggers.
// (b) The live preview's delayed redraw after a keystroke, laid out and painted.
// (c) The draft keeper's write after a keystroke, until it is on disk.
// Each keystroke is timed on its own; the median and the 90th percentile of
// them are reported as counters beside Google Benchmark's mean.

#include "drafts/draftkeeper.h"
#include "livepreview/livepreviewwindow.h"
#include "scriptedplatform.h"
#include "shell/form1.h"
#include "spelling/spellcheck.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTimer>

#include "windowbenchmain.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using namespace zarvelo;

/** About `size` characters of forum post: prose in both scripts, a few
    misspellings, tags, and a made-up word in every line. */
QString post(qsizetype size)
{
    const QString lines[] = {
        QStringLiteral("[B]السلام عليكم و رحمة الله و بركاته[/B]"),
        QStringLiteral("[FONT='Simplified Arabic'][SIZE=4]كتبت اليوم مقالة جديدة عن تاريخ المدينة "
                       "القديمة وأسواقها[/SIZE][/FONT]"),
        QStringLiteral("The quick brown fox jumps over the lazy dog while the [I]weathr[/I] stays nice."),
        QStringLiteral("[QUOTE=أبو محمد]الحمد لله الذي هدانا لهذا وما كنا لنهتدي[/QUOTE]"),
        QStringLiteral(
            "See [URL=http://example.com/forum/thread?id=42]this thread[/URL] and more plain words"),
        QStringLiteral("[COLOR=#FF0000]ذهبت إلى المدرسةة صباحا ثم عدت إلى البيت مساءً[/COLOR]"),
    };
    QString text;
    text.reserve(size + 200);
    for (int i = 0; text.size() < size; ++i) {
        QString name = QString::number(i, 26);
        for (QChar &c : name)
            c = QChar(u'a' + (c.isDigit() ? c.unicode() - u'0' : c.unicode() - u'a' + 10) % 26);
        text += lines[i % std::size(lines)] + QLatin1Char(' ') + name + QLatin1String("\r\n");
    }
    text.truncate(size);
    return text;
}

void key(QWidget &editor, int code, const QString &text = QString())
{
    QKeyEvent press(QEvent::KeyPress, code, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &press);
    QKeyEvent release(QEvent::KeyRelease, code, Qt::NoModifier, text);
    QApplication::sendEvent(&editor, &release);
}

/** Runs the event loop for `ms` milliseconds. */
void settle(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

/** The main window with everything on and a 1 MB post in it, the caret in
    the plain words of a line near the middle. */
struct Everything
{
    Everything()
    {
        QFile::copy(QStringLiteral(ZARVELO_SOURCE_DIR "/data/setting.vbe"),
                    folder.filePath(QStringLiteral("setting.vbe")));
        QDir::setCurrent(folder.path());
        platform.folder = folder.path();
        form = std::make_unique<Form1>(platform);
        if (!form->formLoad())
            return;
        form->show();
        form->menu().LIVEPREVIEW->trigger();
        editor = &form->editor();
        spell = form->findChild<SpellCheck *>();
        preview = form->findChild<LivePreviewWindow *>(QStringLiteral("LivePreviewWindow"));
        keeper = form->findChild<DraftKeeper *>(QStringLiteral("DraftKeeper"));
        if (!editor || !spell || !preview || !keeper)
            return;
        text = post(1 << 20);
        editor->setText(text);
        // The dictionaries open on their own thread; then the words that had
        // to wait are looked up and drawn, and the first draft is written.
        QElapsedTimer waited;
        waited.start();
        while (!spell->isLoaded() && waited.elapsed() < 20000)
            settle(20);
        settle(1500);
        editor->setSelStart(text.indexOf(QLatin1String("plain words"), text.size() / 2) + 6);
        editor->centerCursor();
        editor->setFocus();
        settle(300);
    }

    /** Why the setting is unusable, or "" when all is on. */
    QString problem() const
    {
        if (!editor || !spell || !preview || !keeper)
            return QStringLiteral("the main window lacks a part");
        if (!spell->isLoaded() || !spell->isEnabled() || !spell->missingDictionaries().isEmpty())
            return QStringLiteral("spelling is not on with both dictionaries (hunspell-ar, hunspell-en-us)");
        if (!preview->isVisible())
            return QStringLiteral("the live preview is not shown");
        return {};
    }

    QTemporaryDir folder;
    test::ScriptedPlatform platform;
    std::unique_ptr<Form1> form;
    PostEditor *editor = nullptr;
    SpellCheck *spell = nullptr;
    LivePreviewWindow *preview = nullptr;
    DraftKeeper *keeper = nullptr;
    QString text;
};

// Built on first use, gone before the application.
std::unique_ptr<Everything> everything;

void report(benchmark::State &state, std::vector<double> &times)
{
    if (times.empty())
        return;
    std::sort(times.begin(), times.end());
    state.counters["median_ms"] = times[times.size() / 2];
    state.counters["p90_ms"] = times[times.size() * 9 / 10];
}

/** Types a letter, `step` saying how long the part it times took, in
    milliseconds; then rubs the letter out untimed. */
template <typename Step>
void eachKeystroke(benchmark::State &state, Step step)
{
    Everything &all = *everything;
    if (const QString problem = all.problem(); !problem.isEmpty()) {
        state.SkipWithError(problem.toUtf8().constData());
        return;
    }
    std::vector<double> times;
    for (auto _ : state) {
        const double ms = step(all);
        state.SetIterationTime(ms / 1000);
        times.push_back(ms);
        key(*all.editor, Qt::Key_Backspace);
        QApplication::processEvents();
    }
    if (all.editor->text() != all.text)
        state.SkipWithError("the keystrokes did not reach the post");
    report(state, times);
}

double since(const QElapsedTimer &clock)
{
    return double(clock.nsecsElapsed()) / 1e6;
}

void typeA(Everything &all)
{
    key(*all.editor, Qt::Key_A, QStringLiteral("a"));
    QApplication::processEvents(); // highlighted, checked, laid out and painted
}

void BM_KeystrokeEverythingOn1MB(benchmark::State &state)
{
    eachKeystroke(state, [](Everything &all) {
        QElapsedTimer clock;
        clock.start();
        typeA(all);
        return since(clock);
    });
}
BENCHMARK(BM_KeystrokeEverythingOn1MB)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_LivePreviewUpdateEverythingOn1MB(benchmark::State &state)
{
    eachKeystroke(state, [](Everything &all) {
        typeA(all);
        QElapsedTimer clock;
        clock.start();
        all.preview->refresh(); // what the end of its delay runs
        all.preview->browser().viewport()->repaint();
        return since(clock);
    });
}
BENCHMARK(BM_LivePreviewUpdateEverythingOn1MB)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_DraftWriteEverythingOn1MB(benchmark::State &state)
{
    eachKeystroke(state, [](Everything &all) {
        typeA(all);
        QElapsedTimer clock;
        clock.start();
        all.keeper->keepNow(); // what the end of its delay runs
        all.keeper->waitForWrites();
        return since(clock);
    });
}
BENCHMARK(BM_DraftWriteEverythingOn1MB)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char **argv)
{
    return zarvelo::bench::runWindowBenchmarks(
        argc, argv, [] { everything = std::make_unique<Everything>(); }, [] { everything.reset(); });
}
