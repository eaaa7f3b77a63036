#pragma once

#include <QToolButton>

class CSettingsFile;

// The button that unfolds and folds the less used fields: "Options" with a down arrow while
// they are hidden, "Hide options" with an up arrow while they are shown. Its state is kept
// in the settings (key "ShowOption" of `section`) and restored at creation; those who show
// the fields follow its toggled signal and isChecked().
class COptionsButton : public QToolButton {
    Q_OBJECT

public:
    COptionsButton(CSettingsFile& settings, const char* section, QWidget* parent);

private:
    void ShowState(bool shown);
};
