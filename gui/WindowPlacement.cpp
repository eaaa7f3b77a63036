#include "gui/WindowPlacement.h"

#include <QWidget>

#include "gui/ScreenPlacement.h"
#include "gui/SettingsFile.h"

QRect CWindowPlacement::Stored() const {
    return QRect(m_settings.GetInt(m_section, "x", -1), m_settings.GetInt(m_section, "y", -1),
                 m_settings.GetInt(m_section, "w", m_defaultSize.width()),
                 m_settings.GetInt(m_section, "h", m_defaultSize.height()));
}

bool CWindowPlacement::IsUsable(const QRect& stored) {
    return (stored.x() >= 0 || stored.y() >= 0) && IsOnAnyScreen(stored);
}

void CWindowPlacement::Store(const QWidget& window) {
    const CSettingsFile::Batch once(m_settings);
    m_settings.SetInt(m_section, "x", window.pos().x());
    m_settings.SetInt(m_section, "y", window.pos().y());
    m_settings.SetInt(m_section, "w", window.width());
    m_settings.SetInt(m_section, "h", window.height());
}
