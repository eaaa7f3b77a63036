#include "gui/ColorButton.h"

#include <QColorDialog>
#include <QPixmap>

namespace {
constexpr QSize kSwatchSize(32, 14);
}  // namespace

CColorButton::CColorButton(QWidget* parent) : QPushButton(parent) {
    setIconSize(kSwatchSize);
    connect(this, &QPushButton::clicked, this, &CColorButton::Choose);
}

void CColorButton::SetColor(const QColor& color) {
    m_color = color;
    // An icon, not a style: the button's own shading would lighten the colour it shows.
    QPixmap sample(kSwatchSize);
    sample.fill(color);
    setIcon(QIcon(sample));
}

void CColorButton::Choose() {
    const QColor chosen = QColorDialog::getColor(m_color, this);
    if (chosen.isValid()) {
        SetColor(chosen);
        emit ColorChosen(chosen);
    }
}
