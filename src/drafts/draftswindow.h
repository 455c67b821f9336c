#pragma once

#include "drafts/draftstore.h"

#include <QDialog>

#include <functional>
#include <optional>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace zarvelo {

class Platform;
class PostEditor;

/**
 * The drafts window: the drafts newest first with their time, length, first
 * line of their own and file name (the full path in its tooltip), a read-only view of the selected one, and
 * buttons to restore or delete it. A damaged draft is listed with its problem and can only be deleted.
 */
class DraftsWindow final : public QDialog
{
    Q_OBJECT

public:
    /** untouchedTemplate gives the text a new post starts with, whose lines
        tell no draft from another. */
    DraftsWindow(DraftStore &store, Platform &platform, std::function<QString()> untouchedTemplate,
                 QWidget *owner);

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
    std::function<QString()> m_untouchedTemplate;
    std::vector<Draft> m_drafts;
    std::optional<Draft> m_chosen;
    QTreeWidget *m_list = nullptr;
    PostEditor *m_view = nullptr;
    QPushButton *m_restore = nullptr;
    QPushButton *m_delete = nullptr;
};

/** The line a draft is known by: its first line with text in it that is not
    the template's line in that place, shortened to fit. */
QString draftFirstLine(const QString &text, const QString &untouchedTemplate);

} // namespace zarvelo
