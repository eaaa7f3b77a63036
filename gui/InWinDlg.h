#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>

#include "gui/InDlg.h"
#include "gui/OptionsButton.h"
#include "readers/WinFontReader.h"

// The installed font source: face and style, size, and the rendering options with the fallback
// faces.
class CInWinDlg : public CInDlg {
    Q_OBJECT

public:
    CInWinDlg(CSettingsFile& settings, QWidget* parent);

    std::unique_ptr<CFontReader> GetFontReader() override;
    // The reader's settings from the controls; throws while the face list is not filled.
    CWinFontReader::Settings GetReaderArguments() const;
    void AddCommandArguments(CCommandLine& line) const override;
    QString SourceName() const override {
        return NameWithoutFolder(m_face.currentText().toStdU16String());
    }
    // Offers a font file in the face list, before its "Add font file..." entry, and selects it.
    void AddFontFile(const QString& path);
    // A font file dropped on the input area.
    void DropFile(const std::u16string& path) override {
        AddFontFile(QString::fromStdU16String(path));
    }

private:
    void FillFaceNames();
    void BrowseFontFile();
    void SelectStoredFace();
    void FillSizeLists();
    void UpdateFixedEnabled();
    // Outline and shadow are offered only with a gradation that has alpha.
    void UpdateEffectsEnabled();
    // The chosen family's styles, the regular one first (none for a font file).
    void FillStyles();
    // The face name the reader gets: the family alone for its regular style.
    std::u16string ChosenFaceName() const;
    void AddFallback();
    void MoveFallback(int step);
    void SaveFallbacks();

    QGridLayout m_layout;
    QLabel m_faceLabel;
    QComboBox m_face;
    QLabel m_styleLabel;
    QComboBox m_style;
    QLabel m_sizeLabel;
    QComboBox m_size;
    QLabel m_sizeUnit;
    QLabel m_depthLabel;
    QComboBox m_depth;
    QHBoxLayout m_sizeRow;  // size and bit depth side by side
    COptionsButton m_optionsButton;
    QGroupBox m_options;
    QGridLayout m_optionsLayout;
    QCheckBox m_enableAverage;
    QComboBox m_average;
    QLabel m_averageUnit;
    QCheckBox m_softAntialias;
    QLabel m_widthLabel;
    QComboBox m_widthType;
    QLabel m_fixedLabel;
    QLineEdit m_fixed;
    QLabel m_fixedUnit;
    QHBoxLayout m_effectsRow;  // outline and drop shadow on one row
    QCheckBox m_outline;
    QSpinBox m_outlineWidth;
    QLabel m_outlineUnit;
    QCheckBox m_shadow;
    QSpinBox m_shadowX;
    QLabel m_shadowXUnit;
    QSpinBox m_shadowY;
    QLabel m_shadowYUnit;
    QLabel m_fallbackLabel;
    QComboBox m_fallbackFace;  // a face to add: any name the font name option takes
    QPushButton m_addFallback;
    QListWidget m_fallbacks;
    QPushButton m_removeFallback;
    QPushButton m_raiseFallback;
    QPushButton m_lowerFallback;
    bool m_facesFilled = false;
    int m_lastFace = -1;  // the face chosen before the "Add font file..." entry was picked
};
