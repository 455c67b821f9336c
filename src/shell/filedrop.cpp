#include "shell/filedrop.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace zarvelo {

QStringList droppedFiles(const QMimeData *data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    // A web address dragged from a browser is text to insert, not a post.
    for (const QUrl &url : data->urls()) {
        if (url.isLocalFile())
            files.append(url.toLocalFile());
    }
    return files;
}

FileDrop::FileDrop(QWidget &window, QWidget &editorViewport)
    : QObject(&window)
{
    setObjectName(QStringLiteral("FileDrop"));
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    editorViewport.installEventFilter(this);
}

bool FileDrop::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop: {
        auto *drop = static_cast<QDropEvent *>(event);
        const QStringList files = droppedFiles(drop->mimeData());
        if (files.isEmpty())
            break;
        // A file is opened, never linked or moved, whatever the source offers.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (event->type() == QEvent::Drop)
            emit dropped(files);
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zarvelo
