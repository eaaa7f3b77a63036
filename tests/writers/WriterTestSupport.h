#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/GlobalException.h"
#include "platform/Text.h"

namespace writer_tests {

// The message part of an exception text (after the "<category>: (<where>)" line).
inline std::u16string MessageOf(const CGeneralException& e) {
    const std::u16string& text = e.What();
    const auto newline = text.find(u'\n');
    return newline == std::u16string::npos ? text : text.substr(newline + 1);
}

// Runs `action`, which must throw the given category and message text.
inline void ExpectError(const std::function<void()>& action, int32_t category,
                        const std::u16string& message) {
    try {
        action();
        ADD_FAILURE() << "no error; expected " << Utf16ToUtf8(message);
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), category) << Utf16ToUtf8(e.What());
        EXPECT_EQ(MessageOf(e), message) << Utf16ToUtf8(e.What());
    }
}

}  // namespace writer_tests
