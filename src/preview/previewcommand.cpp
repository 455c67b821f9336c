#include "preview/previewcommand.h"

#include "platform/codepage.h"
#include "platform/isolate.h"
#include "platform/platform.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"
#include "ui/posteditor.h"

#include <QDir>
#include <QFile>

namespace zarvelo {

PreviewCommand::PreviewCommand(PostEditor &editor, Platform &platform, QObject *parent)
    : QObject(parent)
    , m_editor(editor)
    , m_platform(platform)
{
    setObjectName(QStringLiteral("PreviewCommand"));
}

QString PreviewCommand::pagePath(const QString &programFolder)
{
    return programFolder + QLatin1Char('/') + previewFileName();
}

void PreviewCommand::Command9_Click()
{
    m_editor.setFocus();
    // The working copy keeps its memory from one preview to the next, so a
    // long post is converted without fresh allocations.
    const QString post = m_editor.text();
    convertMarkupToHtml(post, m_text2);
    m_text2 = previewPageText(m_text2);

    // Characters the code page cannot hold go into the page as character
    // references, so the browser shows them as typed instead of a "?".
    const QByteArray page = encodeWindows1256EscapingUnencodable(m_text2);
    QString path;
    QString error;
    if (!writePage(page, &path, &error)) {
        m_platform.messageBox(QStringLiteral("تعذّر حفظ صفحة المعاينة في الملف:\n%1\n\nالسبب: %2")
                                  .arg(isolatedPath(path), isolated(error)),
                              programName(), MessageIcon::None);
        return;
    }
    if (!m_platform.openInBrowser(path, &error)) {
        m_platform.messageBox(QStringLiteral("تعذّر فتح صفحة المعاينة في متصفح الإنترنت:\n%1\n\nالسبب: %2")
                                  .arg(isolatedPath(path), isolated(error)),
                              programName(), MessageIcon::None);
    }
}

bool PreviewCommand::writePage(const QByteArray &page, QString *path, QString *error)
{
    const QString programFolder = m_platform.programFolder();
    *path = pagePath(programFolder);
    const TextFileWrite written = m_platform.writeFile(*path, page);
    if (written.ok)
        return true;
    *error = written.error;

    // The program's folder is not writable: the page and its pictures go to
    // the user's cache folder instead, so that the preview still works.
    const QString cache = m_platform.cacheFolder();
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return false;
    for (const QString &picture : previewPictures()) {
        const QString target = QDir(cache).filePath(picture);
        QFile::remove(target);
        QFile::copy(QDir(programFolder).filePath(picture), target);
    }
    const QString cachedPath = pagePath(cache);
    if (m_platform.writeFile(cachedPath, page).ok) {
        *path = cachedPath;
        return true;
    }
    return false;
}

} // namespace zarvelo
