#pragma once

#include "defaultfont/defaultfontsettings.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace zarvelo {

class DefaultFontRecord;
class LookCache;
class PostEditor;

/** The controls of the default-font panel `Frame2`. */
struct DefaultFontPanelControls
{
    QWidget *frame = nullptr;
    QLabel *fontName = nullptr;  ///< Label10
    QLabel *bold = nullptr;      ///< Label4
    QLabel *alignment = nullptr; ///< Label5
    QLabel *size = nullptr;      ///< Label9
    QLabel *swatch = nullptr;    ///< Label7
    QList<QLabel *> captions;    ///< Label2, Label3, Label6, Label8
};

/**
 * The default-font panel on the main window: shows the record, and tells of
 * a click on any of its parts while it is enabled.
 */
class DefaultFontPanel final : public QObject
{
    Q_OBJECT

public:
    /** kept, when given, holds the captions' fit from an earlier start
        (see fitFontToCaptions). */
    DefaultFontPanel(const DefaultFontRecord &record, const DefaultFontPanelControls &controls,
                     LookCache *kept = nullptr, QObject *parent = nullptr);

    /** Shows the record on the panel, setting every property each time so
        the panel depends on the record alone. */
    void REFRESHDEFAULTFONTPANEL();

signals:
    /** The frame or one of its labels was clicked while enabled. */
    void clicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void fitPanelCaptions(LookCache *kept);

    const DefaultFontRecord &m_record;
    DefaultFontPanelControls m_controls;
    QList<QWidget *> m_parts; // the frame and its nine labels
};

/** Replaces the whole post with the template for settings, as one undo step,
    and selects the placeholder so that typing replaces it. A template with a
    colour hands its six digits to keepColorHex, where the colour command
    keeps its own. */
void APPLYDEFAULTFONT(const DefaultFontSettings &settings, PostEditor &editor,
                      const std::function<void(const QString &)> &keepColorHex);

} // namespace zarvelo
