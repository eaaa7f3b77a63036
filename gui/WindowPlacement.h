#pragma once

#include <QRect>
#include <QSize>

class CSettingsFile;
class QWidget;

// A top-level window's place and size, kept in one settings section as "x", "y", "w" and "h"
// (x and y are -1 until the window is first placed).
class CWindowPlacement {
public:
    CWindowPlacement(CSettingsFile& settings, const char* section, QSize defaultSize)
        : m_settings(settings), m_section(section), m_defaultSize(defaultSize) {}

    // The stored rectangle, with the default size where none is stored.
    QRect Stored() const;
    // It was placed once and part of it lies on a screen attached now.
    static bool IsUsable(const QRect& stored);
    void Store(const QWidget& window);

private:
    CSettingsFile& m_settings;
    const char* m_section;
    QSize m_defaultSize;
};
