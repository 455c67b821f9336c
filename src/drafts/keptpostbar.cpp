#include "drafts/keptpostbar.h"

#include "platform/isolate.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace zarvelo {

KeptPostBar::KeptPostBar(QWidget *parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("KeptPostBar"));
    setLayoutDirection(Qt::RightToLeft);
    setFrameShape(QFrame::Box);
    // The buttons' light blue on the window's navy, so the bar reads as the
    // program's own and stands apart from the post below it; its buttons are
    // drawn as the window's own buttons are.
    setAutoFillBackground(true);
    QPalette colours = palette();
    for (const QPalette::ColorRole role : {QPalette::Window, QPalette::Button})
        colours.setColor(role, QColor(0xD5, 0xE6, 0xFA));
    for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
        colours.setColor(role, QColor(0x00, 0x00, 0x40));
    setPalette(colours);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("KeptPostText"));
    m_text->setTextFormat(Qt::PlainText);
    // A long first line is cut at the bar's end rather than pushing the
    // buttons out; the tooltip holds it whole.
    m_text->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    auto *restore = new QPushButton(QStringLiteral("استعادة المشاركة"), this);
    restore->setObjectName(QStringLiteral("cmdRESTOREKEPT"));
    auto *close = new QPushButton(QStringLiteral("إغلاق"), this);
    close->setObjectName(QStringLiteral("cmdCLOSEKEPT"));
    for (QPushButton *button : {restore, close})
        button->setAutoDefault(false);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->addWidget(m_text, 1);
    layout->addWidget(restore);
    layout->addWidget(close);

    connect(restore, &QPushButton::clicked, this, [this] {
        dismiss();
        emit restoreChosen();
    });
    connect(close, &QPushButton::clicked, this, &KeptPostBar::dismiss);
    hide();
}

void KeptPostBar::offer(const QString &firstLine)
{
    QString text =
        QStringLiteral("انتهى البرنامج في المرة السابقة دون أن يُغلق، واحتُفظ بمشاركة لم تُحفظ في ملف");
    if (!firstLine.isEmpty())
        text += QStringLiteral(": ") + isolated(firstLine);
    m_text->setText(text);
    m_text->setToolTip(text);
    show();
    emit shownChanged();
}

void KeptPostBar::dismiss()
{
    if (isHidden())
        return;
    hide();
    emit shownChanged();
}

} // namespace zarvelo
