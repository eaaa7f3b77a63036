#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/GlobalException.h"
#include "console/CmdLine.h"

// A reader or writer the console program can build: the name its option gives and the
// function that builds it from the options.
template <typename T>
struct Construction {
    std::u16string_view name;
    std::unique_ptr<T> (*construct)(const CCmdLine&);
};

// Builds the kind the option names (compared exactly). Fails with `missingMessage` when the
// option is missing or empty and with `unknownMessage` for a name of no kind.
template <typename T>
std::unique_ptr<T> ConstructNamed(std::span<const Construction<T>> kinds, const CCmdLine& cmdLine,
                                  std::u16string_view option, int missingMessage,
                                  int unknownMessage) {
    const std::u16string name = cmdLine.GetParam(option);
    for (const Construction<T>& kind : kinds) {
        if (name == kind.name) {
            return kind.construct(cmdLine);
        }
    }
    if (name.empty()) {
        TL_THROW(kErrCommandLine, missingMessage);
    }
    TL_THROW(kErrCommandLine, unknownMessage, name);
}
