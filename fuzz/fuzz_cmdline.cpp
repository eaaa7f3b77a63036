// The command line: the option scan, the queries and the converters the console applies.
#include <string>
#include <vector>

#include "base/Util.h"
#include "console/CmdLine.h"
#include "console/Converters.h"
#include "fuzz/FuzzSupport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzz_support::Prepare();
    // UTF-16 units; a zero unit ends one argument.
    std::vector<std::u16string> arguments(1);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
        if (unit == 0) {
            arguments.emplace_back();
        } else {
            arguments.back().push_back(unit);
        }
    }
    fuzz_support::Expect([&] {
        CCmdLine line(arguments, ConsoleOptionTable());
        for (const CmdOption& option : ConsoleOptionTable()) {
            const std::u16string param = line.GetParam(option.name);
            line.GetIntParam(option.name, -1);
            fuzz_support::Expect([&] { ToCharCode(param, kEncodingShiftJis); });
            fuzz_support::Expect([&] { ToColor(param); });
            fuzz_support::Expect([&] {
                int32_t w = 0;
                int32_t h = 0;
                ToSheetSize(w, h, param);
            });
            fuzz_support::Expect([&] {
                int32_t depth = 0;
                bool alpha = false;
                ReadBpp(param, depth, alpha);
            });
        }
    });
    return 0;
}
