#pragma once

#include <initializer_list>
#include <string>

#include "base/MessageArg.h"

// Where translated texts come from: the optional language library, asked first by number.
// It returns nullptr for a number it does not hold.
using LanguageLookup = const char16_t* (*)(int number);
void SetLanguageLookup(LanguageLookup lookup);

// The text of a message: the language library's when it has the number, else our own,
// else the empty text.
std::u16string LoadResString(int number);

// The message text used as a printf-style format for the arguments, cut to 1023 units.
std::u16string FormatResString(int number, std::initializer_list<MessageArg> args = {});
