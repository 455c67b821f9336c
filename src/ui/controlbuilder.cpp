#include "ui/controlbuilder.h"

#include "ui/posteditor.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <map>

namespace zarvelo {

int twipsToPixels(double twips)
{
    return int(std::lround(twips / kTwipsPerPixel));
}

QRect twipsRect(double left, double top, double width, double height)
{
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

namespace {

bool installed(const QString &family)
{
    // Looks up the one family; listing them all would read every one.
    return !QFontDatabase::styles(family).isEmpty();
}

} // namespace

QFont designFont(const QString &family)
{
    QFont font(family);
    QStringList standIns = QFont::substitutes(family);
    if (standIns.isEmpty() || installed(family))
        return font;
    font.setFamilies(standIns);
    return font;
}

namespace {

QColor rgbColor(int rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

void paint(QWidget *widget, int foreground, int background)
{
    QPalette palette = widget->palette();
    const QColor fg = rgbColor(foreground);
    const QColor bg = rgbColor(background);
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Window, bg);
        palette.setColor(group, QPalette::Base, bg);
        palette.setColor(group, QPalette::Button, bg);
        palette.setColor(group, QPalette::WindowText, fg);
        palette.setColor(group, QPalette::Text, fg);
        palette.setColor(group, QPalette::ButtonText, fg);
    }
    // Disabled controls keep the ground and grey their text.
    palette.setColor(QPalette::Disabled, QPalette::Window, bg);
    palette.setColor(QPalette::Disabled, QPalette::Base, bg);
    palette.setColor(QPalette::Disabled, QPalette::Button, bg);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

// Text boxes keep the usual text-box colours rather than inheriting the
// window's navy: every role is set, so nothing is taken from the parent.
void keepUsualColors(QWidget *widget)
{
    const QPalette usual = QApplication::palette();
    QPalette palette;
    for (int group = 0; group < QPalette::NColorGroups; ++group)
        for (int role = 0; role < QPalette::NColorRoles; ++role)
            palette.setColor(QPalette::ColorGroup(group), QPalette::ColorRole(role),
                             usual.color(QPalette::ColorGroup(group), QPalette::ColorRole(role)));
    widget->setPalette(palette);
}

/** The control's own font, or the inherited one when it names none. */
void setOwnFont(QWidget *widget, const ControlDef &def)
{
    if (!def.fontFamily)
        return;
    QFont font = designFont(QString::fromLatin1(def.fontFamily));
    font.setPointSizeF(def.fontPointSize);
    font.setBold(def.fontBold);
    widget->setFont(font);
}

QWidget *create(const ControlDef &def, QWidget *parent)
{
    const QString caption = def.caption ? QString::fromUtf8(def.caption) : QString();
    switch (def.kind) {
    case ControlKind::PostEditor: {
        auto *editor = new PostEditor(parent);
        keepUsualColors(editor);
        // The font before the text, so the caption is laid out once, in it.
        setOwnFont(editor, def);
        editor->setText(caption);
        editor->document()->clearUndoRedoStacks();
        return editor;
    }
    case ControlKind::LineEdit: {
        auto *edit = new QLineEdit(caption, parent);
        keepUsualColors(edit);
        return edit;
    }
    case ControlKind::Label:
    case ControlKind::Picture: {
        auto *label = new QLabel(caption, parent);
        // Captions stand at the right edge of their box whatever the reading
        // direction (Qt would mirror a plain AlignRight in a right-to-left window).
        label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        paintNavy(label);
        return label;
    }
    case ControlKind::Frame: {
        auto *frame = new QGroupBox(caption, parent);
        paintNavy(frame);
        return frame;
    }
    case ControlKind::Button:
    case ControlKind::PictureButton: {
        auto *button = new QPushButton(caption, parent);
        button->setAutoDefault(false);
        paintButtonFace(button);
        return button;
    }
    case ControlKind::EditableCombo:
    case ControlKind::ListCombo: {
        auto *combo = new QComboBox(parent);
        // Placed first: made editable before it has a size, a combo box
        // measures the size it would like, in its font, for nothing.
        combo->setGeometry(twipsRect(def.left, def.top, def.width, def.height));
        combo->setEditable(def.kind == ControlKind::EditableCombo);
        if (combo->isEditable()) {
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setEditText(caption);
        }
        paintNavy(combo);
        return combo;
    }
    case ControlKind::CheckBox: {
        auto *check = new QCheckBox(caption, parent);
        paintNavy(check);
        // The box itself in the usual white and black: on navy, a navy box
        // with a darker navy edge cannot be seen. The caption keeps its colours.
        QPalette palette = check->palette();
        for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
            palette.setColor(group, QPalette::Base, Qt::white);
            palette.setColor(group, QPalette::Text, Qt::black);
        }
        check->setPalette(palette);
        return check;
    }
    }
    return nullptr;
}

} // namespace

QFont windowFont()
{
    // The dialog font the windows' boxes were measured for; the program maps
    // the name to its closest installed family at start.
    QFont font = designFont(QStringLiteral("MS Sans Serif"));
    font.setPointSizeF(8.25);
    return font;
}

void setUpFixedDialog(QWidget *dialog, const QString &name, const QString &title, int widthTwips,
                      int heightTwips)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(title);
    dialog->setLayoutDirection(Qt::RightToLeft);
    dialog->setFont(windowFont());
    dialog->setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint);
    dialog->setFixedSize(twipsToPixels(widthTwips), twipsToPixels(heightTwips));
    paintNavy(dialog);
    dialog->setWindowModality(Qt::ApplicationModal);
}

void paintNavy(QWidget *widget)
{
    paint(widget, kLightBlue, kNavy);
}

void paintButtonFace(QWidget *widget, int rgb)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Button, rgbColor(rgb));
    palette.setColor(QPalette::ButtonText, Qt::black);
    widget->setPalette(palette);
}

namespace {

/**
 * While it lives, the application font is the given window font. Qt lays out
 * the first, empty line of a new text box or line edit in the application
 * font, before the control takes its own: lent the window font, that layout
 * uses a face the window shows anyway, instead of loading the desktop face
 * for nothing. The widgets' fonts resolve to the same values either way, and
 * the desktop font is back before any menu or box is shown. Only the plain
 * application font is lent (not QApplication's), so the desktop's fonts for
 * single classes stay and no widget is told of a change.
 */
class LentApplicationFont
{
public:
    explicit LentApplicationFont(const QFont &font)
        : m_usual(QGuiApplication::font())
    {
        QGuiApplication::setFont(font);
    }
    ~LentApplicationFont() { QGuiApplication::setFont(m_usual); }
    LentApplicationFont(const LentApplicationFont &) = delete;
    LentApplicationFont &operator=(const LentApplicationFont &) = delete;

private:
    QFont m_usual;
};

} // namespace

std::vector<QWidget *> buildControls(QWidget *client, const std::vector<ControlDef> &table)
{
    const LentApplicationFont lent(client->font());
    std::vector<QWidget *> widgets;
    widgets.reserve(table.size());
    std::map<QString, QWidget *> byName;
    std::vector<std::pair<int, QWidget *>> focusable;

    for (const ControlDef &def : table) {
        QWidget *parent = client;
        if (def.container) {
            const auto found = byName.find(QString::fromLatin1(def.container));
            Q_ASSERT(found != byName.end());
            parent = found->second;
        }
        QWidget *widget = create(def, parent);
        widget->setObjectName(QString::fromLatin1(def.name));
        widget->setGeometry(twipsRect(def.left, def.top, def.width, def.height));
        if (def.toolTip) {
            widget->setToolTip(QString::fromUtf8(def.toolTip));
            widget->setAccessibleName(widget->toolTip());
        }
        if (def.kind != ControlKind::PostEditor)
            setOwnFont(widget, def);
        if (def.foreground != kNoColor || def.background != kNoColor)
            paint(widget, def.foreground == kNoColor ? kLightBlue : def.foreground,
                  def.background == kNoColor ? kNavy : def.background);

        const bool takesFocus = def.tabIndex >= 0 && def.kind != ControlKind::Label
            && def.kind != ControlKind::Frame && def.kind != ControlKind::Picture;
        if (takesFocus)
            focusable.emplace_back(def.tabIndex, widget);
        else
            widget->setFocusPolicy(Qt::NoFocus);

        byName.emplace(widget->objectName(), widget);
        widgets.push_back(widget);
    }

    std::stable_sort(focusable.begin(), focusable.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1].second, focusable[i].second);
    return widgets;
}

} // namespace zarvelo
