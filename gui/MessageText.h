#pragma once

#include <QString>

// A numbered message of the language library, in the user's language, for a widget.
QString MessageText(int message);
