#include "gui/SettingBinding.h"

#include <QSignalBlocker>

#include "gui/ControlText.h"
#include "gui/SettingsFile.h"

void BindCheckBox(QCheckBox& box, CSettingsFile& settings, const char* section, const char* key,
                  bool defaultValue) {
    {
        const QSignalBlocker quiet(box);
        box.setChecked(settings.GetBool(section, key, defaultValue));
    }
    QObject::connect(&box, &QCheckBox::toggled, [&settings, section, key](bool checked) {
        settings.SetBool(section, key, checked);
    });
}

void BindSelection(QComboBox& combo, CSettingsFile& settings, const char* section, const char* key,
                   int32_t defaultValue) {
    {
        const QSignalBlocker quiet(combo);
        const int32_t stored = settings.GetInt(section, key, defaultValue);
        combo.setCurrentIndex(stored >= 0 && stored < combo.count() ? stored : -1);
    }
    QObject::connect(&combo, &QComboBox::currentIndexChanged, [&settings, section, key](int index) {
        if (index >= 0) {
            settings.SetInt(section, key, index);
        }
    });
}

void BindNumber(QLineEdit& edit, CSettingsFile& settings, const char* section, const char* key,
                int32_t defaultValue) {
    {
        const QSignalBlocker quiet(edit);
        edit.setText(QString::number(settings.GetInt(section, key, defaultValue)));
    }
    QObject::connect(&edit, &QLineEdit::textChanged,
                     [&settings, section, key](const QString& text) {
                         settings.SetInt(section, key, NumberOf(text));
                     });
}

void BindSpinBox(QSpinBox& box, CSettingsFile& settings, const char* section, const char* key,
                 int32_t defaultValue) {
    {
        const QSignalBlocker quiet(box);
        box.setValue(settings.GetInt(section, key, defaultValue));
    }
    QObject::connect(&box, &QSpinBox::valueChanged, [&settings, section, key](int value) {
        settings.SetInt(section, key, value);
    });
}

void BindText(QLineEdit& edit, CSettingsFile& settings, const char* section, const char* key,
              const std::u16string& defaultValue) {
    {
        const QSignalBlocker quiet(edit);
        edit.setText(QString::fromStdU16String(settings.GetString(section, key, defaultValue)));
    }
    QObject::connect(&edit, &QLineEdit::textChanged,
                     [&settings, section, key](const QString& text) {
                         settings.SetString(section, key, text.toStdU16String());
                     });
}

int32_t NumberOf(const QString& text) {
    return NumberFromText(text.toStdU16String());
}
