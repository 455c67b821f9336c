#pragma once

#include "drafts/draftstore.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * The drafts window: the drafts newest first with their time, length, first
 * line and file, a read-only view of the selected one, and buttons to
 * restore or delete it. A damaged draft is listed with its problem and can
 * only be deleted.
 */
class DraftsWindow final : public QDialog
{
    Q_OBJECT

public:
    DraftsWindow(DraftStore &store, Platform &platform, QWidget *owner);

    /** Shows the window modally over its owner; returns the draft to restore,
        nothing when the window was closed. */
    std::optional<Draft> choose();

private:
    void reload(int row);
    void showSelected();
    void deleteSelected();
    int selectedRow() const;

    DraftStore &m_store;
    Platform &m_platform;
    std::vector<Draft> m_drafts;
    std::optional<Draft> m_chosen;
    QTreeWidget *m_list = nullptr;
    PostEditor *m_view = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_delete = nullptr;
};

/** The line a draft is known by in the list: its first line with text in
    it, shortened to fit. */
QString draftFirstLine(const QString &text);

} // namespace zarvelo
