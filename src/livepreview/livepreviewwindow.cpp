#include "livepreview/livepreviewwindow.h"

#include "livepreview/postcount.h"
#include "platform/platform.h"
#include "preview/conversion.h"
#include "preview/previewpage.h"
#include "ui/posteditor.h"

#include <QAbstractTextDocumentLayout>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zarvelo {

namespace {

// Links a forum reader follows; anything else (a local file, a script) is not
// handed to the desktop from a post.
bool isWebLink(const QUrl &url)
{
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ftp"),
                                     QStringLiteral("mailto")};
    return url.isValid() && schemes.contains(url.scheme().toLower());
}

} // namespace

LivePreviewWindow::LivePreviewWindow(PostEditor &editor, Platform &platform, qsizetype loadLimit,
                                     QWidget *owner)
    : QWidget(owner, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_editor(editor)
    , m_platform(platform)
    , m_loadLimit(loadLimit)
{
    setObjectName(QStringLiteral("LivePreviewWindow"));
    setWindowTitle(QStringLiteral("معاينة مباشرة"));
    setLayoutDirection(Qt::RightToLeft);
    // Shown beside the editor while the user types into it.
    setAttribute(Qt::WA_ShowWithoutActivating);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("livePreviewPage"));
    m_browser->setFocusPolicy(Qt::NoFocus);
    m_browser->setOpenLinks(false);
    // A page laid out again when its scroll bar comes or goes would cost a
    // second layout of the whole post on every redraw.
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // The page's pictures stand in the program's folder, as beside the page file.
    const QString folder = platform.programFolder();
    m_browser->setSearchPaths({folder});
    m_browser->document()->setBaseUrl(QUrl::fromLocalFile(QDir(folder).absolutePath() + QLatin1Char('/')));
    connect(m_browser, &QTextBrowser::anchorClicked, this, &LivePreviewWindow::openLink);

    m_status = new QLabel(this);
    m_status->setObjectName(QStringLiteral("livePreviewStatus"));
    m_status->setAlignment(Qt::AlignAbsolute | Qt::AlignRight | Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(m_browser, 1);
    layout->addWidget(m_status);

    m_delay.setSingleShot(true);
    m_delay.setInterval(kDelayMs);
    connect(&m_delay, &QTimer::timeout, this, &LivePreviewWindow::refresh);
    connect(&editor, &PostEditor::textChanged, this, &LivePreviewWindow::postChanged);
    connect(&editor, &PostEditor::cursorPositionChanged, this, &LivePreviewWindow::followCaret);
    resize(560, 620);
}

void LivePreviewWindow::refresh()
{
    m_delay.stop();
    QElapsedTimer cost;
    cost.start();
    const QString post = m_editor.text();
    convertMarkupToHtml(post, m_body);
    m_page = previewPageText(m_body);
    m_browser->setHtml(m_page);
    m_count = countPost(post);
    m_status->setText(postCountText(m_count, m_loadLimit, m_forumLimit));
    // The whole page is laid out now, so the scroll range is final and the
    // caret's part of the post can be found in it.
    m_browser->document()->documentLayout()->documentSize();
    followCaret();
    // A post so long that a redraw takes a while waits for a longer pause
    // in the typing, so the editor never stalls between keys.
    m_delay.setInterval(std::max<int>(kDelayMs, int(2 * cost.elapsed())));
}

void LivePreviewWindow::setForumLimit(qsizetype characters)
{
    m_forumLimit = characters;
    m_status->setText(postCountText(m_count, m_loadLimit, m_forumLimit));
}

QString LivePreviewWindow::statusText() const
{
    return m_status->text();
}

void LivePreviewWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    refresh();
}

void LivePreviewWindow::hideEvent(QHideEvent *event)
{
    m_delay.stop();
    QWidget::hideEvent(event);
}

void LivePreviewWindow::postChanged()
{
    if (isVisible())
        m_delay.start();
}

void LivePreviewWindow::followCaret()
{
    if (!isVisible() || m_delay.isActive())
        return;
    // The page grows with the post's lines, so the caret's line, as a share
    // of all lines, finds about the same place in the page; that place is
    // kept in the middle of the view.
    const QTextCursor caret = m_editor.textCursor();
    const int lines = std::max(1, m_editor.document()->blockCount());
    const int blockLength = std::max(1, caret.block().length());
    const double share = (caret.blockNumber() + double(caret.positionInBlock()) / blockLength) / lines;
    QScrollBar *bar = m_browser->verticalScrollBar();
    const double middle = share * (bar->maximum() + bar->pageStep()) - bar->pageStep() / 2.0;
    bar->setValue(std::clamp(int(std::lround(middle)), bar->minimum(), bar->maximum()));
}

void LivePreviewWindow::openLink(const QUrl &link)
{
    QUrl url = link;
    // Posts often give a site without its scheme, as forums accept.
    if (url.scheme().isEmpty() && url.toString().startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        url = QUrl(QStringLiteral("http://") + url.toString());
    if (!isWebLink(url)) {
        m_platform.messageBox(
            QStringLiteral("لا تفتح المعاينة المباشرة إلا روابط الإنترنت، وهذا الرابط ليس منها:\n%1")
                .arg(link.toString()),
            programName(), MessageIcon::None);
        return;
    }
    QString error;
    if (!m_platform.openUrl(url, &error)) {
        m_platform.messageBox(
            QStringLiteral("تعذّر فتح الرابط في متصفح الإنترنت:\n%1\n\nالسبب: %2").arg(url.toString(), error),
            programName(), MessageIcon::None);
    }
}

} // namespace zarvelo
