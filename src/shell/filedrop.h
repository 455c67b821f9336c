#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;
class QWidget;

namespace zarvelo {

/** The local files among what a drag carries; empty for a drag of text. */
QStringList droppedFiles(const QMimeData *data);

/**
 * Files dragged from a file manager onto a window: on its controls or its
 * editor they are taken as files to open, while text dragged into the
 * editor still goes in as text.
 */
class FileDrop final : public QObject
{
    Q_OBJECT

public:
    /** Takes the drops of window and of the editor's viewport, which handles
        its own drags. */
    FileDrop(QWidget &window, QWidget &editorViewport);

signals:
    void dropped(const QStringList &files);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};

} // namespace zarvelo
