#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <cstdint>
#include <string>

class CSettingsFile;

// Each page control shows its stored setting at creation and writes it back the moment the
// user changes it.
void BindCheckBox(QCheckBox& box, CSettingsFile& settings, const char* section, const char* key,
                  bool defaultValue);
// The selected item's position; a stored position outside the list selects nothing.
void BindSelection(QComboBox& combo, CSettingsFile& settings, const char* section, const char* key,
                   int32_t defaultValue);
// The number in an edit box (or an editable combo box's edit field).
void BindNumber(QLineEdit& edit, CSettingsFile& settings, const char* section, const char* key,
                int32_t defaultValue);
// The value of a spin box; a stored value beyond its range comes in as its nearest end.
void BindSpinBox(QSpinBox& box, CSettingsFile& settings, const char* section, const char* key,
                 int32_t defaultValue);
void BindText(QLineEdit& edit, CSettingsFile& settings, const char* section, const char* key,
              const std::u16string& defaultValue);

// The number a control's text holds (see NumberFromText).
int32_t NumberOf(const QString& text);
