#include "gui/MessageText.h"

#include "core/ResString.h"

QString MessageText(int message) {
    return QString::fromStdU16String(LoadResString(message));
}
