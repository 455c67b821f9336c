#pragma once

#include "platform/platform.h"

namespace zarvelo {

/** The platform as the program meets it: Qt's dialogs, clipboard and desktop services. */
class QtPlatform final : public Platform
{
public:
    void messageBox(const QString &text, const QString &title, MessageIcon icon) override;
    int questionBox(const QString &text, const QStringList &answers, int defaultAnswer, int escapeAnswer,
                    const QString &title) override;
    QString inputBox(const QString &prompt, const QString &title) override;
    QString openFileName(const QString &filter, const QString &initialFileName) override;
    QString saveFileName(const QString &filter, const QString &initialFileName) override;
    std::optional<quint32> chooseColor(quint32 initial) override;
    void setClipboardText(const QString &text) override;
    void setClipboardFormatted(const ClipboardText &content) override;
    ClipboardText clipboardContents() override;
    bool openInBrowser(const QString &path, QString *error) override;
    bool openUrl(const QUrl &url, QString *error) override;
    QString programFolder() override;
    QString cacheFolder() override;
    void endProcess(int exitCode) override;
};

} // namespace zarvelo
