#include "defaultfont/frmdefaultfont.h"

#include "defaultfont/defaultfontrecord.h"
#include "platform/colornumber.h"
#include "platform/commondialog.h"
#include "ui/captionfit.h"
#include "ui/controlbuilder.h"
#include "ui/fontnames.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

namespace zarvelo {

namespace {
using K = ControlKind;

// The colour number of the buttons' light blue face, RGB(213, 230, 250).
constexpr quint32 kLightBlueNumber = 16443093;

const std::vector<ControlDef> &frmdefaultfontControls()
{
    // name, kind, container, left, top, width, height, tab, caption, tooltip
    static const std::vector<ControlDef> controls{
        {"Combo1", K::ListCombo, nullptr, 120, 120, 2175, 315, 0, nullptr, nullptr},
        {"Label2", K::Label, nullptr, 2350, 200, 615, 255, -1, "نوع الخط", nullptr},
        {"Combo2", K::ListCombo, nullptr, 1320, 575, 975, 315, 1, nullptr, nullptr},
        {"Label3", K::Label, nullptr, 2350, 640, 615, 255, -1, "المحاذاة", nullptr},
        {"Check2", K::CheckBox, nullptr, 240, 600, 855, 255, 2, "عـريــض", nullptr},
        {"Combo3", K::ListCombo, nullptr, 1320, 1035, 975, 315, 3, nullptr, nullptr},
        {"Label4", K::Label, nullptr, 2350, 1080, 615, 255, -1, "الحــجــم", nullptr},
        {"Command1", K::Button, nullptr, 120, 1035, 615, 375, 4, "لا تغيير", nullptr},
        {"Label1", K::Label, nullptr, 840, 1080, 495, 255, -1, "اللون", nullptr},
        {"Check1", K::CheckBox, nullptr, 120, 1560, 2655, 255, 5, "عدم تمكين خاصية الخط الإفتراضي", nullptr},
        {"Command2", K::Button, nullptr, 1800, 1920, 700, 375, 6, "موافق", nullptr},
        {"Command3", K::Button, nullptr, 600, 1920, 700, 375, 7, "إلغاء", nullptr},
    };
    return controls;
}

void selectItem(QComboBox *combo, const QString &value)
{
    // A hand-edited value that is none of the items shows nothing selected.
    combo->setCurrentIndex(combo->findText(value, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

} // namespace

frmdefaultfont::frmdefaultfont(DefaultFontRecord &record, Platform &platform, QWidget *parent)
    : QDialog(parent)
    , m_record(record)
{
    setUpFixedDialog(this, QStringLiteral("frmdefaultfont"), QStringLiteral("إعدادات الخط الإفتراضي"), 3060,
                     2430);

    buildControls(this, frmdefaultfontControls());
    // The colour caption would touch the size list standing right beside it.
    findChild<QLabel *>(QStringLiteral("Label1"))->setContentsMargins(0, 0, 3, 0);
    // The window keeps its own colour dialog, so its colour starts at black
    // at every opening whatever the main window's dialog last chose.
    m_commonDialog = new CommonDialog(platform, this);
    m_commonDialog->setObjectName(QStringLiteral("CommonDialog1"));

    m_fontName = findChild<QComboBox *>(QStringLiteral("Combo1"));
    m_alignment = findChild<QComboBox *>(QStringLiteral("Combo2"));
    m_fontSize = findChild<QComboBox *>(QStringLiteral("Combo3"));
    m_bold = findChild<QCheckBox *>(QStringLiteral("Check2"));
    m_off = findChild<QCheckBox *>(QStringLiteral("Check1"));
    m_colorButton = findChild<QPushButton *>(QStringLiteral("Command1"));

    // The same fonts as the main window's list, and the marker for none.
    m_fontName->addItems(fontNames() << noChangeMarker());
    m_alignment->addItems({alignCenterWord(), alignRightWord(), alignLeftWord(), noChangeMarker()});
    for (int size = 1; size <= 7; ++size)
        m_fontSize->addItem(QString::number(size));
    m_fontSize->addItem(noChangeMarker());
    showNoColor();
    fitCaptions();

    auto *ok = findChild<QPushButton *>(QStringLiteral("Command2"));
    ok->setDefault(true);
    connect(m_off, &QCheckBox::toggled, this, &frmdefaultfont::applyOffSwitch);
    connect(m_colorButton, &QPushButton::clicked, this, &frmdefaultfont::chooseColor);
    connect(ok, &QPushButton::clicked, this, &frmdefaultfont::confirm);
    connect(findChild<QPushButton *>(QStringLiteral("Command3")), &QPushButton::clicked, this,
            &QDialog::reject);
}

bool frmdefaultfont::formLoad()
{
    if (!m_record.LOADDEFAULTFONT())
        return false;
    m_loaded = m_record.settings();
    // Only "1" ticks the off switch, although the template treats every
    // value but "0" as off.
    m_off->setChecked(m_loaded.Disabled == QLatin1String("1"));
    applyOffSwitch();
    selectItem(m_fontName, m_loaded.FontName);
    selectItem(m_alignment, m_loaded.Alignment);
    selectItem(m_fontSize, m_loaded.FontSize);
    m_bold->setChecked(m_loaded.Bold != noChangeMarker());
    if (m_loaded.FontColor != noChangeMarker())
        showButtonColor(colorFieldValue(m_loaded.FontColor));
    else
        showNoColor();
    m_fontName->setFocus();
    return true;
}

void frmdefaultfont::fitCaptions()
{
    std::vector<CaptionBox> boxes;
    for (const char *name : {"Label1", "Label2", "Label3", "Label4"}) {
        const QLabel *label = findChild<QLabel *>(QString::fromLatin1(name));
        boxes.push_back({label->text(), label->contentsRect().width()});
    }
    for (QCheckBox *check : {m_bold, m_off})
        boxes.push_back({check->text(), checkBoxCaptionWidth(check)});
    // The colour button's caption, less a little room for its bevel.
    boxes.push_back({noChangeMarker(), m_colorButton->width() - 4});
    fitFontToCaptions(this, boxes);
}

void frmdefaultfont::applyOffSwitch()
{
    const bool enabled = !m_off->isChecked();
    for (const char *name :
         {"Combo1", "Combo2", "Combo3", "Label1", "Label2", "Label3", "Label4", "Check2", "Command1"})
        findChild<QWidget *>(QString::fromLatin1(name))->setEnabled(enabled);
}

void frmdefaultfont::showButtonColor(quint32 color)
{
    m_buttonColor = color;
    m_colorButton->setText(QString());
    paintButtonFace(m_colorButton, colorNumberToRgb(color));
    // The style would lighten and soften a dark face; the button must show
    // the very colour that will be stored.
    m_colorButton->setStyleSheet(
        QStringLiteral("QPushButton { background-color: #%1; border: 1px solid #%2; }")
            .arg(colorNumberToRgb(color), 6, 16, QLatin1Char('0'))
            .arg(kLightBlue, 6, 16, QLatin1Char('0')));
}

void frmdefaultfont::showNoColor()
{
    m_buttonColor = kLightBlueNumber;
    m_colorButton->setText(noChangeMarker());
    m_colorButton->setStyleSheet(QString());
    paintButtonFace(m_colorButton, colorNumberToRgb(kLightBlueNumber));
}

void frmdefaultfont::chooseColor()
{
    const quint32 before = m_commonDialog->color();
    m_commonDialog->showColor();
    const quint32 chosen = m_commonDialog->color();
    if (chosen == m_buttonColor)
        return;
    // A cancelled dialog leaves the colour it started from, and black is
    // never stored: both mean no colour.
    if (chosen == before || chosen == 0)
        showNoColor();
    else
        showButtonColor(chosen);
}

DefaultFontSettings frmdefaultfont::chosenSettings() const
{
    // A list showing nothing (the file held a value none of its items match)
    // keeps that value rather than writing an empty field.
    auto item = [](const QComboBox *combo, const QString &loaded) {
        return combo->currentIndex() >= 0 ? combo->currentText() : loaded;
    };
    DefaultFontSettings chosen;
    chosen.Disabled = m_off->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    chosen.FontName = item(m_fontName, m_loaded.FontName);
    chosen.Alignment = item(m_alignment, m_loaded.Alignment);
    chosen.FontSize = item(m_fontSize, m_loaded.FontSize);
    chosen.Bold = m_bold->isChecked() ? boldOnWord() : noChangeMarker();
    const bool noColor = m_colorButton->text() == noChangeMarker() || m_buttonColor == 0;
    chosen.FontColor = noColor ? noChangeMarker() : QLatin1Char(' ') + QString::number(m_buttonColor);
    return chosen;
}

void frmdefaultfont::confirm()
{
    // When the file cannot be written the message has been shown; the window
    // stays open with the user's choices so that nothing is lost.
    if (m_record.saveSettings(chosenSettings()))
        accept();
}

DefaultFontWindowOpener::DefaultFontWindowOpener(DefaultFontRecord &record, Platform &platform,
                                                 QWidget *owner)
    : QObject(owner)
    , m_record(record)
    , m_platform(platform)
    , m_owner(owner)
{}

void DefaultFontWindowOpener::open()
{
    frmdefaultfont window(m_record, m_platform, m_owner);
    // The file may have gone since start; the post and the record stay as
    // they are.
    if (!window.formLoad())
        return;
    window.exec();
}

} // namespace zarvelo
