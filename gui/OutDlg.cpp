#include "gui/OutDlg.h"

#include <QMessageBox>

#include "base/ResString.h"
#include "core/PgCtrl.h"
#include "gui/MessageText.h"
#include "platform/FileSystem.h"

void COutDlg::ConfirmOverwrite(const std::u16string& path) {
    if (!fs::Exists(path)) {
        return;
    }
    QMessageBox question(QMessageBox::Warning, MessageText(230),
                         QString::fromStdU16String(FormatResString(229, {path})),
                         QMessageBox::Ok | QMessageBox::Cancel, window());
    question.setDefaultButton(QMessageBox::Cancel);
    if (question.exec() != QMessageBox::Ok) {
        throw kCancelSignal;
    }
}
