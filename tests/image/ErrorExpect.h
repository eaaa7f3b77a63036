#pragma once

#include <gtest/gtest.h>

#include <string>

#include "core/GlobalException.h"
#include "platform/Text.h"

namespace testing_support {

// The message part of an exception's text: everything after the first line, which names the
// category and the throwing function.
inline std::string MessageOf(const CGeneralException& e) {
    const std::string text = Utf16ToUtf8(e.What());
    const auto newline = text.find('\n');
    return newline == std::string::npos ? text : text.substr(newline + 1);
}

// Runs `action` and checks that it throws with this category and exactly this message text.
template <typename Action>
void ExpectError(Action&& action, int32_t category, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no error; expected: " << message;
    } catch (const CGeneralException& e) {
        EXPECT_EQ(e.GetCategory(), category) << Utf16ToUtf8(e.What());
        EXPECT_EQ(MessageOf(e), message);
    }
}

}  // namespace testing_support
