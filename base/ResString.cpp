#include "base/ResString.h"

#include <atomic>
#include <span>

#include "base/MessageTable.h"
#include "base/TextFormat.h"

namespace {
std::atomic<LanguageLookup> g_languageLookup{nullptr};
}

void SetLanguageLookup(LanguageLookup lookup) {
    g_languageLookup.store(lookup);
}

std::u16string LoadResString(int number) {
    if (LanguageLookup lookup = g_languageLookup.load()) {
        if (const char16_t* text = lookup(number); text != nullptr && *text != 0) {
            std::u16string result(text);
            if (result.size() > kMaxMessageLength) {
                result.resize(kMaxMessageLength);
            }
            return result;
        }
    }
    const char16_t* own = FindOwnMessage(number);
    return own ? std::u16string(own) : std::u16string();
}

std::u16string FormatResString(int number, std::initializer_list<MessageArg> args) {
    return FormatText(LoadResString(number),
                      std::span<const MessageArg>(args.begin(), args.size()));
}
