#include "defaultfont/defaultfont.h"

#include "defaultfont/defaultfontrecord.h"
#include "defaultfont/defaultfonttemplate.h"
#include "platform/colornumber.h"
#include "ui/captionfit.h"
#include "ui/controlbuilder.h"
#include "ui/fontnames.h"
#include "ui/posteditor.h"

#include <QLabel>
#include <QMouseEvent>

namespace zarvelo {

namespace {

// The swatch's two boxes: a small bordered square, or the value column.
constexpr int kSwatchTop = 1160;
constexpr int kSwatchHeight = 230;

void paintSwatch(QLabel *label, const QColor &ground)
{
    QPalette palette = label->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, ground);
    label->setPalette(palette);
}

} // namespace

DefaultFontPanel::DefaultFontPanel(const DefaultFontRecord &record, const DefaultFontPanelControls &controls,
                                   LookCache *kept, QObject *parent)
    : QObject(parent)
    , m_record(record)
    , m_controls(controls)
{
    setObjectName(QStringLiteral("DefaultFontPanel"));
    m_parts << controls.frame << controls.fontName << controls.bold << controls.alignment << controls.size
            << controls.swatch;
    for (QLabel *caption : controls.captions)
        m_parts << caption;
    for (QWidget *part : std::as_const(m_parts))
        part->installEventFilter(this);
    fitPanelCaptions(kept);
}

void DefaultFontPanel::fitPanelCaptions(LookCache *kept)
{
    // The fixed captions, and the widest values the value column and the
    // font-name line can be given.
    std::vector<CaptionBox> boxes;
    for (const QLabel *caption : std::as_const(m_controls.captions))
        boxes.push_back({caption->text(), caption->width()});
    const int valueWidth = m_controls.bold->width();
    for (const QString &value :
         {noChangeMarker(), alignCenterWord(), alignRightWord(), alignLeftWord(), boldOnWord()})
        boxes.push_back({value, valueWidth});
    const int nameWidth = m_controls.fontName->width();
    const QStringList names = fontNames() << noChangeMarker();
    for (const QString &name : names)
        boxes.push_back({panelFontName(name), nameWidth});
    fitFontToCaptions(m_controls.frame, boxes, kept);
}

void DefaultFontPanel::REFRESHDEFAULTFONTPANEL()
{
    const DefaultFontSettings &settings = m_record.settings();
    const bool enabled = settings.Disabled == QLatin1String("0");
    for (QWidget *part : std::as_const(m_parts))
        part->setEnabled(enabled);

    m_controls.fontName->setText(panelFontName(settings.FontName));
    m_controls.bold->setText(settings.Bold);
    m_controls.alignment->setText(settings.Alignment);
    m_controls.size->setText(settings.FontSize);

    QLabel *swatch = m_controls.swatch;
    if (settings.FontColor != noChangeMarker()) {
        swatch->setText(QString());
        swatch->setFrameShape(QFrame::Box);
        swatch->setFrameShadow(QFrame::Plain);
        swatch->setLineWidth(1);
        paintSwatch(swatch, QColor(QRgb(colorNumberToRgb(colorFieldValue(settings.FontColor)))));
        swatch->setGeometry(twipsRect(360, kSwatchTop, 375, kSwatchHeight));
    } else {
        // Without a colour the swatch reads like the other value labels.
        swatch->setText(noChangeMarker());
        swatch->setFrameShape(QFrame::NoFrame);
        paintNavy(swatch);
        swatch->setGeometry(twipsRect(120, kSwatchTop, 615, kSwatchHeight));
    }
}

bool DefaultFontPanel::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *widget = static_cast<QWidget *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        // A greyed-out panel takes no clicks; the menu item still opens the window.
        if (widget->isEnabled() && mouse->button() == Qt::LeftButton
            && widget->rect().contains(mouse->position().toPoint())) {
            // Taken here, so a label's click does not reach the frame as well.
            event->accept();
            emit clicked();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void APPLYDEFAULTFONT(const DefaultFontSettings &settings, PostEditor &editor,
                      const std::function<void(const QString &)> &keepColorHex)
{
    const DefaultFontTemplate post = buildDefaultFontTemplate(settings);
    if (post.colorHex && keepColorHex)
        keepColorHex(*post.colorHex);
    editor.setText(post.text);
    editor.select(post.selStart, post.selLength);
}

} // namespace zarvelo
