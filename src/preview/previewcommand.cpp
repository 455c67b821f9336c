#include "preview/previewcommand.h"

#include "platform/codepage.h"
#include "platform/isolate.h"
#include "platform/platform.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"
#include "shell/form1.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

namespace zarvelo {

PreviewCommand::PreviewCommand(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("PreviewCommand"));
    if (auto *button = form.control<QPushButton>(QStringLiteral("Command9")))
        connect(button, &QPushButton::clicked, this, &PreviewCommand::Command9_Click);
}

QString PreviewCommand::pagePath(const QString &programFolder)
{
    return programFolder + QLatin1Char('/') + previewFileName();
}

void PreviewCommand::Command9_Click()
{
    PostEditor &editor = m_form.editor();
    editor.setFocus();
    // The working copy keeps its memory from one preview to the next, so a
    // long post is converted without fresh allocations.
    const QString post = editor.text();
    convertMarkupToHtml(post, m_form.Text2);
    m_form.Text2 = previewPageText(m_form.Text2);

    // Characters the code page cannot hold go into the page as character
    // references, so the browser shows them as typed instead of a "?".
    const QByteArray page = encodeWindows1256EscapingUnencodable(m_form.Text2);
    Platform &platform = m_form.platform();
    QString path;
    QString error;
    if (!writePage(page, &path, &error)) {
        platform.messageBox(QStringLiteral("تعذّر حفظ صفحة المعاينة في الملف:\n%1\n\nالسبب: %2")
                                .arg(isolated(path), isolated(error)));
        return;
    }
    if (!platform.openInBrowser(path, &error)) {
        platform.messageBox(QStringLiteral("تعذّر فتح صفحة المعاينة في متصفح الإنترنت:\n%1\n\nالسبب: %2")
                                .arg(isolated(path), isolated(error)));
    }
}

bool PreviewCommand::writePage(const QByteArray &page, QString *path, QString *error)
{
    Platform &platform = m_form.platform();
    const QString programFolder = platform.programFolder();
    *path = pagePath(programFolder);
    const TextFileWrite written = platform.writeFile(*path, page);
    if (written.ok)
        return true;
    *error = written.error;

    // The program's folder is not writable: the page and its pictures go to
    // the user's cache folder instead, so that the preview still works.
    const QString cache = platform.cacheFolder();
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return false;
    for (const QString &picture : previewPictures()) {
        const QString target = QDir(cache).filePath(picture);
        QFile::remove(target);
        QFile::copy(QDir(programFolder).filePath(picture), target);
    }
    const QString cachedPath = pagePath(cache);
    if (platform.writeFile(cachedPath, page).ok) {
        *path = cachedPath;
        return true;
    }
    return false;
}

} // namespace zarvelo
