#pragma once

#include <QString>
#include <QValidator>

class QLineEdit;

// Shows at an edit box that its value cannot work: a warning sign inside the box, with the
// reason as the box's tooltip. An empty `problem` takes the mark away.
void MarkField(QLineEdit& edit, const QString& problem);

// Takes whole numbers other than 0, so a 0 is refused as it is typed; an empty box or a lone
// minus sign is allowed while the user types.
class CNonZeroNumberValidator : public QValidator {
    Q_OBJECT

public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override;
};
