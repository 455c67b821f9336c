#pragma once

#include <QByteArray>
#include <QObject>

namespace zarvelo {

class Form1;

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
    /** Connects to the form's `Command9`; the command is a child of the form. */
    explicit PreviewCommand(Form1 &form);

    /** The page file's full path for a program folder. */
    static QString pagePath(const QString &programFolder);

    /** What a click of `Command9` does. */
    void Command9_Click();

private:
    bool writePage(const QByteArray &page, QString *path, QString *error);

    Form1 &m_form;
};

} // namespace zarvelo
