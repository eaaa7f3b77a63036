#pragma once

#include <QColor>
#include <QPushButton>

// A button that shows a colour as its icon and offers a colour chooser on click.
class CColorButton : public QPushButton {
    Q_OBJECT

public:
    explicit CColorButton(QWidget* parent);

    void SetColor(const QColor& color);
    const QColor& Color() const { return m_color; }

signals:
    // The user chose a colour.
    void ColorChosen(const QColor& color);

private:
    void Choose();

    QColor m_color;
};
