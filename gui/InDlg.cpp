#include "gui/InDlg.h"

#include <QFileInfo>

QString CInDlg::NameWithoutFolder(const std::u16string& path) {
    return QFileInfo(QString::fromStdU16String(path)).fileName();
}
