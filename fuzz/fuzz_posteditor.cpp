// The post editor driven by the fuzzer's bytes: typing brackets, slashes,
// letters of both scripts and line breaks, erasing, writing and pasting
// tags, undo and redo and the arrows, anywhere in the post. After every step
// the editor's text, selection start and length must agree with a plain
// string of what the post is; its direction marks must never show.

#include "highlight/markupscan.h"
#include "ui/posteditor.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

using zarvelo::PostEditor;

const char16_t kTyped[] = {u'[', u']', u'/', u'=', u'B', u'u', u'R', u'L', u'#', u'ن', u'ص', u' ', u'1'};
// No lone CR: one written before a lone LF makes a CR LF in the text that
// the editor still holds as two breaks, which a plain string cannot tell.
const char16_t *const kSnippets[] = {u"[B]", u"[/URL]", u"[URL=http://a.com]", u"[QUOTE=أحمد]", u"x\r\ny",
                                     u"\n",  u"[/B]ص",  u"[COLOR=#FF0000]ن"};

void key(PostEditor &editor, int code, const QString &text = QString(), Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent press(QEvent::KeyPress, code, modifiers, text);
    QApplication::sendEvent(&editor, &press);
}

bool splitsPair(const QString &text, qsizetype at)
{
    return at > 0 && at < text.size() && text[at - 1] == u'\r' && text[at] == u'\n';
}

/** Whether the editor agrees with the model. */
bool agrees(PostEditor &editor, const QString &model)
{
    const qsizetype start = editor.selStart();
    const qsizetype length = editor.selLength();
    return editor.text() == model && editor.textLength() == model.size() && start >= 0
        && start + length <= model.size() && editor.selText() == model.mid(start, length);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Never destroyed: at exit Qt's own statics are gone before a static
    // application would be.
    new QApplication(*argc, *argv);
    PostEditor::setTagFinder(&zarvelo::findIsolatedTags);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    PostEditor editor;
    QString model;
    for (size_t i = 0; i + 2 < size && i < 600; i += 3) {
        const qsizetype start = data[i + 1] % (model.size() + 1);
        const qsizetype length = data[i + 2] % 4 == 0 ? data[i + 2] % (model.size() - start + 1) : 0;
        if (!splitsPair(model, start) && !splitsPair(model, start + length))
            editor.select(start, length);
        const qsizetype at = editor.selStart();
        const qsizetype selected = editor.selLength();
        switch (data[i] % 8) {
        case 0:
        case 1: {
            const QChar typed(kTyped[data[i] / 8 % std::size(kTyped)]);
            model.replace(at, selected, typed);
            key(editor, Qt::Key_A, typed);
            break;
        }
        case 2:
            model.replace(at, selected, QStringLiteral("\r\n"));
            key(editor, Qt::Key_Return);
            break;
        case 3: {
            const bool backward = data[i] / 8 % 2 == 0;
            const qsizetype pair = 2;
            if (selected > 0)
                model.remove(at, selected);
            else if (backward && at > 0)
                model.remove(at - (at > 1 && model.mid(at - 2, 2) == u"\r\n" ? pair : 1),
                             at > 1 && model.mid(at - 2, 2) == u"\r\n" ? pair : 1);
            else if (!backward && at < model.size())
                model.remove(at, model.mid(at, 2) == u"\r\n" ? pair : 1);
            key(editor, backward ? Qt::Key_Backspace : Qt::Key_Delete);
            break;
        }
        case 4: {
            const QString snippet = QString::fromUtf16(kSnippets[data[i] / 8 % std::size(kSnippets)]);
            model.replace(at, selected, snippet);
            if (data[i] / 64 % 2 == 0) {
                editor.setSelText(snippet);
            } else {
                QApplication::clipboard()->setText(snippet);
                editor.paste();
            }
            break;
        }
        case 5:
            editor.undoWithSelection();
            model = editor.text();
            break;
        case 6:
            editor.redo();
            model = editor.text();
            break;
        default:
            key(editor, data[i] / 8 % 2 ? Qt::Key_Right : Qt::Key_Left, QString(),
                data[i] / 16 % 2 ? Qt::ShiftModifier : Qt::NoModifier);
        }
        // Undo and redo can only be checked for what the selection says.
        if (!agrees(editor, model)) {
            qWarning("step %d (op %d): text \"%s\" selection %lld+%lld, expected \"%s\"", int(i / 3),
                     int(data[i] % 8), qPrintable(editor.text()), qlonglong(editor.selStart()),
                     qlonglong(editor.selLength()), qPrintable(model));
            std::abort();
        }
    }
    return 0;
}
