#include "defaultfont/defaultfont.h"

#include "editing/editingcommands.h"

#include "defaultfont/defaultfonttemplate.h"
#include "defaultfont/frmdefaultfont.h"
#include "defaultfont/settingsfile.h"
#include "platform/isolate.h"
#include "platform/platform.h"
#include "shell/form1.h"
#include "shell/form1table.h"
#include "ui/captionfit.h"
#include "ui/controlbuilder.h"
#include "ui/posteditor.h"

#include <QAction>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>

namespace zarvelo {

namespace {

// The swatch's two boxes: a small bordered square, or the value column.
constexpr int kSwatchTop = 1160;
constexpr int kSwatchHeight = 230;

QColor colorFromNumber(quint32 number)
{
    return QColor(number & 0xFF, (number >> 8) & 0xFF, (number >> 16) & 0xFF);
}

void paintSwatch(QLabel *label, const QColor &ground)
{
    QPalette palette = label->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, QPalette::Window, ground);
    label->setPalette(palette);
}

} // namespace

DefaultFont::DefaultFont(Form1 &form)
    : QObject(&form)
    , m_form(form)
{
    setObjectName(QStringLiteral("DefaultFont"));
    for (const char *name : {"Frame2", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8",
                             "Label9", "Label10"}) {
        QWidget *widget = form.control<QWidget>(QString::fromLatin1(name));
        Q_ASSERT(widget);
        widget->installEventFilter(this);
        m_panel.append(widget);
    }
    connect(form.menuAction(QStringLiteral("DEFAULTFONT")), &QAction::triggered, this,
            &DefaultFont::openSettingsWindow);
    fitPanelCaptions();
}

void DefaultFont::fitPanelCaptions()
{
    // The fixed captions, and the widest values the value column and the
    // font-name line can be given.
    std::vector<CaptionBox> boxes;
    for (const char *name : {"Label2", "Label3", "Label6", "Label8"}) {
        const QLabel *caption = m_form.control<QLabel>(QString::fromLatin1(name));
        boxes.push_back({caption->text(), caption->width()});
    }
    const int valueWidth = m_form.control<QLabel>(QStringLiteral("Label4"))->width();
    for (const QString &value : {noChangeMarker(), QStringLiteral("توسيط"), QStringLiteral("يمين"),
                                 QStringLiteral("يسار"), QStringLiteral("نعم")})
        boxes.push_back({value, valueWidth});
    const int nameWidth = m_form.control<QLabel>(QStringLiteral("Label10"))->width();
    const QStringList names = form1FontNames() << noChangeMarker();
    for (const QString &name : names)
        boxes.push_back({panelFontName(name), nameWidth});
    fitFontToCaptions(m_form.control<QWidget>(QStringLiteral("Frame2")), boxes);
}

bool DefaultFont::LOADDEFAULTFONT()
{
    const QString name = findSettingsFile(QDir::current());
    std::optional<DefaultFontSettings> read;
    if (!name.isEmpty()) {
        const TextFileRead file = m_form.platform().readTextFile(name);
        if (file.ok)
            read = parseSettingsFile(file.text);
    }
    if (!read) {
        m_form.platform().messageBox(settingsMissingMessage(), programName(), MessageIcon::None);
        return false;
    }
    m_settings = std::move(*read);
    return true;
}

void DefaultFont::REFRESHDEFAULTFONTPANEL()
{
    const bool enabled = m_settings.Disabled == QLatin1String("0");
    for (QWidget *widget : m_panel)
        widget->setEnabled(enabled);

    m_form.control<QLabel>(QStringLiteral("Label10"))->setText(panelFontName(m_settings.FontName));
    m_form.control<QLabel>(QStringLiteral("Label4"))->setText(m_settings.Bold);
    m_form.control<QLabel>(QStringLiteral("Label5"))->setText(m_settings.Alignment);
    m_form.control<QLabel>(QStringLiteral("Label9"))->setText(m_settings.FontSize);

    auto *swatch = m_form.control<QLabel>(QStringLiteral("Label7"));
    if (m_settings.FontColor != noChangeMarker()) {
        swatch->setText(QString());
        swatch->setFrameShape(QFrame::Box);
        swatch->setFrameShadow(QFrame::Plain);
        swatch->setLineWidth(1);
        paintSwatch(swatch, colorFromNumber(colorFieldValue(m_settings.FontColor)));
        swatch->setGeometry(twipsRect(360, kSwatchTop, 375, kSwatchHeight));
    } else {
        // Without a colour the swatch reads like the other value labels.
        swatch->setText(noChangeMarker());
        swatch->setFrameShape(QFrame::NoFrame);
        paintNavy(swatch);
        swatch->setGeometry(twipsRect(120, kSwatchTop, 615, kSwatchHeight));
    }
}

void DefaultFont::APPLYDEFAULTFONT()
{
    const DefaultFontTemplate post = buildDefaultFontTemplate(m_settings);
    // The template leaves its colour digits where the colour command leaves
    // its own.
    if (post.colorHex)
        m_form.editingCommands().setColorHex(*post.colorHex);
    PostEditor &editor = m_form.editor();
    editor.setText(post.text);
    editor.select(post.selStart, post.selLength);
}

bool DefaultFont::saveSettings(const DefaultFontSettings &settings)
{
    // Replace the file the reader finds, whatever the case of its name, so
    // that there is only ever one settings file; create it under its own name.
    QString name = findSettingsFile(QDir::current());
    if (name.isEmpty())
        name = settingsFileName();
    const TextFileWrite written = m_form.platform().writeTextFile(name, settingsFileText(settings));
    if (!written.ok) {
        m_form.platform().messageBox(
            QStringLiteral("تعذر حفظ الإعدادات في الملف:\r\n")
                + isolated(QDir::toNativeSeparators(QDir::current().absoluteFilePath(name)))
                + QStringLiteral("\r\n\r\n") + isolated(written.error),
            programName(), MessageIcon::None);
        return false;
    }
    m_settings = settings;
    REFRESHDEFAULTFONTPANEL();
    return true;
}

void DefaultFont::openSettingsWindow()
{
    frmdefaultfont window(*this, m_form.platform(), &m_form);
    // The file may have gone since start; then the message has been shown
    // and the window stays shut, leaving the post and the record as they are.
    if (!window.formLoad())
        return;
    window.exec();
}

bool DefaultFont::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto *widget = static_cast<QWidget *>(watched);
        auto *mouse = static_cast<QMouseEvent *>(event);
        // A greyed-out panel takes no clicks; the menu item still opens the window.
        if (widget->isEnabled() && mouse->button() == Qt::LeftButton
            && widget->rect().contains(mouse->position().toPoint())) {
            // Taken here, so a label's click does not reach the frame as well.
            event->accept();
            openSettingsWindow();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace zarvelo
