#pragma once

#include "platform/platform.h"

#include <QList>
#include <QQueue>
#include <QStringList>

#include <optional>

namespace zarvelo::test {

/**
 * The platform for tests: every dialog is answered from a queue filled by the
 * test beforehand (an empty one answers as a cancelled dialog would), and every
 * call is recorded. Files are real unless failWritesTo is set.
 */
class ScriptedPlatform final : public Platform
{
public:
    struct Message
    {
        QString text;
        QString title;
        MessageIcon icon;
    };
    struct Question
    {
        QString text;
        QStringList answers;
        int defaultAnswer;
        int escapeAnswer;
        QString title;
    };
    struct FileDialog
    {
        bool save;
        QString filter;
        QString initialFileName;
    };

    // Answers, taken in order.
    QQueue<QString> inputAnswers;
    QQueue<int> questionAnswers;
    QQueue<QString> openAnswers;
    QQueue<QString> saveAnswers;
    QQueue<std::optional<quint32>> colorAnswers; // nullopt: the dialog is cancelled
    QString folder;                              // what programFolder() returns
    QString cache;                               // what cacheFolder() returns
    bool browserStarts = true;
    QString failWritesTo; // a path whose writes fail

    // What was asked and done.
    QList<Message> messages;
    QList<Question> questions;
    QStringList inputPrompts;
    QList<FileDialog> fileDialogs;
    QList<quint32> colorDialogStarts;
    QStringList clipboard;                // each text put on the clipboard
    QList<ClipboardText> formattedCopies; // each formatted text put on it
    ClipboardText clipboardHolds;         // what clipboardContents() returns
    QStringList browserOpens;
    QList<QUrl> urlOpens;
    QList<int> endedWith; // exit codes of endProcess calls

    qsizetype dialogCount() const
    {
        return messages.size() + questions.size() + inputPrompts.size() + fileDialogs.size()
            + colorDialogStarts.size();
    }

    void messageBox(const QString &text, const QString &title, MessageIcon icon) override
    {
        messages.append({text, title, icon});
    }
    int questionBox(const QString &text, const QStringList &answers, int defaultAnswer, int escapeAnswer,
                    const QString &title) override
    {
        questions.append({text, answers, defaultAnswer, escapeAnswer, title});
        return take(questionAnswers, escapeAnswer);
    }
    QString inputBox(const QString &prompt, const QString &title) override
    {
        inputPrompts.append(prompt);
        lastInputTitle = title;
        return take(inputAnswers);
    }
    QString openFileName(const QString &filter, const QString &initialFileName) override
    {
        fileDialogs.append({false, filter, initialFileName});
        return take(openAnswers);
    }
    QString saveFileName(const QString &filter, const QString &initialFileName) override
    {
        fileDialogs.append({true, filter, initialFileName});
        return take(saveAnswers);
    }
    std::optional<quint32> chooseColor(quint32 initial) override
    {
        colorDialogStarts.append(initial);
        return take(colorAnswers, std::optional<quint32>());
    }
    TextFileWrite writeTextFile(const QString &path, const QString &text, TextEncoding encoding) override
    {
        return path == failWritesTo ? refusedWrite() : Platform::writeTextFile(path, text, encoding);
    }
    TextFileWrite writeFile(const QString &path, const QByteArray &bytes) override
    {
        return path == failWritesTo ? refusedWrite() : Platform::writeFile(path, bytes);
    }
    static TextFileWrite refusedWrite() { return {false, QStringLiteral("Permission denied"), {}}; }
    void setClipboardText(const QString &text) override { clipboard.append(text); }
    void setClipboardFormatted(const ClipboardText &content) override { formattedCopies.append(content); }
    ClipboardText clipboardContents() override { return clipboardHolds; }
    bool openInBrowser(const QString &path, QString *error) override
    {
        browserOpens.append(path);
        return browserStarted(error);
    }
    bool openUrl(const QUrl &url, QString *error) override
    {
        urlOpens.append(url);
        return browserStarted(error);
    }
    QString programFolder() override { return folder; }
    QString cacheFolder() override { return cache; }
    void endProcess(int exitCode) override { endedWith.append(exitCode); }

    QString lastInputTitle;

private:
    template <class T>
    T take(QQueue<T> &queue, T none = T())
    {
        return queue.isEmpty() ? none : queue.dequeue();
    }
    bool browserStarted(QString *error) const
    {
        if (!browserStarts && error)
            *error = QStringLiteral("no browser");
        return browserStarts;
    }
};

} // namespace zarvelo::test
