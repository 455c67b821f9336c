#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * The preview button `Command9`: converts a copy of the post, writes it as
 * the page `perview.html` in the program's folder and opens that page in the
 * user's web browser. The editor's text is never changed. Where the
 * program's folder cannot be written (an installed program), the page goes
 * to the user's cache folder, with its pictures copied beside it.
 */
class PreviewCommand final : public QObject
{
    Q_OBJECT

public:
    PreviewCommand(PostEditor &editor, Platform &platform, QObject *parent = nullptr);

    /** The page file's full path for a program folder. */
    static QString pagePath(const QString &programFolder);

    /** What a click of `Command9` does. */
    void Command9_Click();

private:
    bool writePage(const QByteArray &page, QString *path, QString *error);

    PostEditor &m_editor;
    Platform &m_platform;
    /** Text2, the working copy the post is converted in. Never shown, so a
        plain string; it keeps its memory from one preview to the next. */
    QString m_text2;
};

} // namespace zarvelo
