#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <array>

#include "gui/FieldMark.h"
#include "gui/OrderCombo.h"
#include "gui/OutDlg.h"
#include "gui/PathField.h"
#include "writers/ImageFontWriter.h"

// The image font target: picture, letter order, cell size or margins, format, grid and the
// colours of the layout.
class COutImageDlg : public COutDlg {
    Q_OBJECT

public:
    COutImageDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontWriter> GetFontWriter() override;
    std::unique_ptr<CFontWriter> GetPreviewWriter() const override {
        return std::make_unique<CImageFontWriter>(GetWriterArguments());
    }
    // The writer's settings from the controls, with the path's extension made to match a
    // chosen BMP or TGA format; the field itself is not changed.
    CImageFontWriter::Settings GetWriterArguments() const;
    void AddCommandArguments(CCommandLine& line) const override;
    void AddPathToHistory() override { m_path.History().AddCurrentPath(); }
    void DropFile(const std::u16string& path) override { m_path.History().DropPath(path); }
    void SetOrderFiles(const std::vector<XmlFileInfo>& files) override { m_order.SetFiles(files); }
    void SetOptionsShown(bool shown) override { m_options.setVisible(shown); }

private:
    // A colour of the layout: a button showing it, a colour chooser on click.
    struct ColorSwatch {
        QLabel label;
        QPushButton button;
        const char* key;
        uint32_t defaultColor;  // 0xRRGGBB shown and used while nothing is stored
        ColorSwatch(const QString& text, const char* settingsKey, uint32_t defaultRgb,
                    QWidget* parent);
    };
    void LoadSizeFields();
    void StoreSizeField(int field);
    void MarkCellSize();
    void UpdateSizeLabels();
    void ChooseColor(ColorSwatch& swatch);
    void ShowColor(ColorSwatch& swatch);
    uint32_t ColorOf(const char* key, uint32_t defaultColor) const;
    bool SizeMode() const { return m_sizeMode.isChecked(); }

    QGridLayout m_layout;
    CPathField m_path;
    COrderCombo m_order;
    QGroupBox m_options;
    QGridLayout m_optionsLayout;
    CNonZeroNumberValidator m_cellSizeValidator;
    QHBoxLayout m_colorRow;
    QRadioButton m_sizeMode;
    QRadioButton m_marginMode;
    std::array<QLabel, 4> m_sizeLabels;
    std::array<QLineEdit, 4> m_sizeEdits;
    QCheckBox m_center;
    QLabel m_formatLabel;
    QComboBox m_format;
    QCheckBox m_grid;
    ColorSwatch m_nullColor;
    ColorSwatch m_gridColor;
    ColorSwatch m_widthColor;
    ColorSwatch m_marginColor;
};
