#include "platform/commondialog.h"

#include "platform/platform.h"

namespace zarvelo {

CommonDialog::CommonDialog(Platform &platform, QObject *parent)
    : QObject(parent)
    , m_platform(platform)
{}

void CommonDialog::showOpen()
{
    m_fileName = m_platform.openFileName(m_filter, m_lastChosen);
    if (!m_fileName.isEmpty())
        m_lastChosen = m_fileName;
}

void CommonDialog::showSave()
{
    m_fileName = m_platform.saveFileName(m_filter, m_lastChosen);
    if (!m_fileName.isEmpty())
        m_lastChosen = m_fileName;
}

void CommonDialog::showColor()
{
    if (const std::optional<quint32> chosen = m_platform.chooseColor(m_color))
        m_color = *chosen;
}

} // namespace zarvelo
