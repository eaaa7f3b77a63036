#include "gui/MessageText.h"

#include "base/ResString.h"

QString MessageText(int message) {
    return QString::fromStdU16String(LoadResString(message));
}
