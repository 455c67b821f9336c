#include "shell/form3.h"

#include "ui/buttonpictures.h"
#include "ui/controlbuilder.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zarvelo {

namespace {
using K = ControlKind;
constexpr int kOrange = 0xFF8000;
constexpr int kPeach = 0xFFE0C0;

const std::vector<ControlDef> &form3Controls()
{
    static const std::vector<ControlDef> controls{
        {"Image1", K::Picture, nullptr, 0, 0, 4740, 1410, -1, nullptr, nullptr},
        {"Label1", K::Label, nullptr, 100, 1680, 4500, 735, 1, nullptr, nullptr, "Tahoma", 9, true, kOrange,
         kNavy},
        {"Label2", K::Label, nullptr, 1200, 2400, 2175, 285, 3, "فريق Zarvelo", nullptr, "Tahoma", 9.75, true,
         kPeach, kNavy},
        {"Text1", K::LineEdit, nullptr, 240, 2760, 3015, 375, 2, "zarvelo@example.org", nullptr,
         "MS Sans Serif", 12, false, kOrange, kNavy},
        {"Command1", K::Button, nullptr, 3480, 2760, 1095, 375, 0, "إغلاق", nullptr, "Tahoma", 9, true},
    };
    return controls;
}
} // namespace

QString Form3::description()
{
    return QStringLiteral("يساعدك هذا البرنامج على كتابة و تنسيق مشاركاتك داخل المنتديات\r\n"
                          "                           البرنامج من فكرة و تصميم:");
}

Form3::Form3(QWidget *parent, const QString &bannerFile)
    : QDialog(parent)
{
    setUpFixedDialog(this, QStringLiteral("Form3"), QStringLiteral("عن البرنامج"), 4740, 3195);

    buildControls(this, form3Controls());

    auto *banner = findChild<QLabel *>(QStringLiteral("Image1"));
    const QIcon picture(bannerFile);
    if (drawsSomething(picture, banner->size())) {
        banner->setPixmap(picture.pixmap(banner->size()));
    } else {
        // Without the picture the banner still says what the program is.
        banner->setText(QStringLiteral("Zarvelo\nمحرر مشاركات المنتديات"));
        banner->setAlignment(Qt::AlignCenter);
        QFont font = banner->font();
        font.setPointSizeF(14);
        font.setBold(true);
        banner->setFont(font);
    }

    // The label shows the description's line break as a new line.
    auto *label = findChild<QLabel *>(QStringLiteral("Label1"));
    label->setText(description().replace(QLatin1String("\r\n"), QLatin1String("\n")));
    label->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignTop);
    // Fonts here may run wider than the one the window was drawn for: wrap
    // rather than cut the description off.
    label->setWordWrap(true);
    findChild<QLabel *>(QStringLiteral("Label2"))
        ->setAlignment(Qt::AlignRight | Qt::AlignAbsolute | Qt::AlignVCenter);

    auto *contact = findChild<QLineEdit *>(QStringLiteral("Text1"));
    contact->setReadOnly(true);

    auto *close = findChild<QPushButton *>(QStringLiteral("Command1"));
    close->setDefault(true);
    close->setFocus();
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
}

AboutWindowOpener::AboutWindowOpener(QWidget *owner)
    : QObject(owner)
    , m_owner(owner)
{}

void AboutWindowOpener::open()
{
    // Built afresh each time, so nothing of it is kept while it is shut.
    Form3 about(m_owner);
    about.exec();
}

} // namespace zarvelo
