#pragma once

#include "platform/fileidentity.h"
#include "platform/textfile.h"

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

namespace zarvelo {

/** What the clipboard holds as text: its HTML ("text/html"), empty when it
    holds none, and its plain text. */
struct ClipboardText
{
    QString html;
    QString text;
};

/** The icon a message box shows. */
enum class MessageIcon { None, Information };

/** The program's name, the title of its message and input boxes. */
inline QString programName()
{
    return QStringLiteral("Zarvelo");
}

/**
 * Everything modal or external that the program asks of its platform: the
 * message and input boxes, the common dialogs, text files, the clipboard, the
 * web browser, the program's folder and ending the process.
 *
 * The program runs on QtPlatform; the tests run on a scripted double that
 * answers from queues and records every call, so no test ever waits on a
 * real dialog.
 */
class Platform
{
public:
    virtual ~Platform() = default;

    /** A modal message box with one OK button; returns when it is closed.
        Most boxes are titled programName(). */
    virtual void messageBox(const QString &text, const QString &title, MessageIcon icon) = 0;

    /** A modal question box with one button for each answer, in order, the
        default answer's button taking Return. Returns the index of the answer
        chosen; closing the box (Escape, the title bar) chooses escapeAnswer. */
    virtual int questionBox(const QString &text, const QStringList &answers, int defaultAnswer,
                            int escapeAnswer, const QString &title) = 0;

    /** A modal one-line input box with OK and Cancel and an empty field.
        Returns the typed text on OK; Cancel and an empty field both give "". */
    virtual QString inputBox(const QString &prompt, const QString &title) = 0;

    /** The Open dialog. filter is in the "desc|pattern|desc|pattern" form; the
        first entry is selected. Returns the chosen full path, "" on cancel. */
    virtual QString openFileName(const QString &filter, const QString &initialFileName) = 0;

    /** The Save dialog, as openFileName. No extension is added to a typed name. */
    virtual QString saveFileName(const QString &filter, const QString &initialFileName) = 0;

    /** The colour dialog, started at a colour number (red + 256 × green +
        65536 × blue). Returns the chosen colour number, nothing on cancel. */
    virtual std::optional<quint32> chooseColor(quint32 initial) = 0;

    /** Reads a post file in its own encoding, UTF-8 or Windows-1256, with
        at most maxCharacters characters of it when maxCharacters >= 0
        (kWholeFile: all of it). */
    virtual TextFileRead readPostFile(const QString &path, qint64 maxCharacters)
    {
        return zarvelo::readPostFile(path, maxCharacters);
    }

    /** Replaces a file with text in the encoding, atomically. */
    virtual TextFileWrite writeTextFile(const QString &path, const QString &text, TextEncoding encoding)
    {
        return writeTextFileAs(path, text, encoding);
    }

    /** Replaces a file with bytes already encoded, atomically. */
    virtual TextFileWrite writeFile(const QString &path, const QByteArray &bytes)
    {
        return writeFileAtomically(path, bytes);
    }

    /** The identity of a file as it is now (see FileIdentity). */
    virtual FileIdentity fileIdentity(const QString &path) { return zarvelo::fileIdentity(path); }

    /** Puts plain text on the clipboard, replacing what it held. */
    virtual void setClipboardText(const QString &text) = 0;

    /** Puts formatted text on the clipboard, replacing what it held: the same
        content as HTML and as plain text, so that each place it is pasted
        takes the form it reads. */
    virtual void setClipboardFormatted(const ClipboardText &content) = 0;

    /** What the clipboard holds now. */
    virtual ClipboardText clipboardContents() = 0;

    /** Opens a local file in the user's web browser, without waiting for it.
        Returns false, with a reason in *error, when it cannot be started. */
    virtual bool openInBrowser(const QString &path, QString *error) = 0;

    /** Opens a web address in the user's browser, without waiting for it.
        Returns false, with a reason in *error, when it cannot be started. */
    virtual bool openUrl(const QUrl &url, QString *error) = 0;

    /** The folder that holds the program's executable. */
    virtual QString programFolder() = 0;

    /** The user's own cache folder for the program (it may not exist yet). */
    virtual QString cacheFolder() = 0;

    /** Ends the process at once: no window's closing steps run, nothing is
        saved. The test double only records the call and returns, so callers
        return straight after it. */
    virtual void endProcess(int exitCode) = 0;
};

} // namespace zarvelo
