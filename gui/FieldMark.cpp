#include "gui/FieldMark.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QStyle>

namespace {
constexpr const char* kMarkName = "fieldProblem";
}  // namespace

void MarkField(QLineEdit& edit, const QString& problem) {
    auto* mark = edit.findChild<QAction*>(QString::fromLatin1(kMarkName));
    if (mark == nullptr) {
        if (problem.isEmpty()) {
            return;
        }
        mark = edit.addAction(QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning),
                              QLineEdit::TrailingPosition);
        mark->setObjectName(QString::fromLatin1(kMarkName));
    }
    mark->setVisible(!problem.isEmpty());
    mark->setToolTip(problem);
    edit.setToolTip(problem);
}

QValidator::State CNonZeroNumberValidator::validate(QString& input, int&) const {
    const qsizetype digits = input.startsWith(QLatin1Char('-')) ? 1 : 0;
    bool allZero = true;
    for (qsizetype i = digits; i < input.size(); ++i) {
        if (!input[i].isDigit()) {
            return Invalid;
        }
        allZero = allZero && input[i] == QLatin1Char('0');
    }
    if (input.size() == digits) {
        return Intermediate;
    }
    return allZero ? Invalid : Acceptable;
}
