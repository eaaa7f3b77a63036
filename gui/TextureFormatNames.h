#pragma once

// The texture formats by number, as the lists show them and the console's -ic takes them.
inline constexpr const char16_t* kTextureFormatNames[] = {u"I4",     u"I8",     u"IA4",  u"IA8",
                                                          u"RGB565", u"RGB5A3", u"RGBA8"};
