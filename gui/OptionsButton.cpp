#include "gui/OptionsButton.h"

#include "gui/SettingsFile.h"

COptionsButton::COptionsButton(CSettingsFile& settings, const char* section, QWidget* parent)
    : QToolButton(parent) {
    setCheckable(true);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    setChecked(settings.GetBool(section, "ShowOption", false));
    ShowState(isChecked());
    connect(this, &QToolButton::toggled, [this, &settings, section](bool shown) {
        settings.SetBool(section, "ShowOption", shown);
        ShowState(shown);
    });
}

void COptionsButton::ShowState(bool shown) {
    setText(shown ? tr("Hide options") : tr("Options"));
    setArrowType(shown ? Qt::UpArrow : Qt::DownArrow);
}
