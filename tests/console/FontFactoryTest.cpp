#include "console/FontFactory.h"

#include <gtest/gtest.h>

#include "console/CmdLine.h"
#include "core/FontReader.h"
#include "core/FontWriter.h"
#include "image/ErrorExpect.h"

namespace {

using testing_support::ExpectError;

TEST(FontFactoryTest, MissingOrUnknownFormats) {
    const auto table = ConsoleOptionTable();
    ExpectError([&] { CreateReader(CCmdLine(u"p -o bofnt", table)); }, kErrCommandLine,
                "Input format option(-i) is not specified.");
    // Format names are compared exactly.
    ExpectError([&] { CreateReader(CCmdLine(u"p -i Image", table)); }, kErrCommandLine,
                "Invalid input format (Image).");
    ExpectError([&] { CreateWriter(CCmdLine(u"p -i image", table)); }, kErrCommandLine,
                "Output format option(-i) is not specified.");
    ExpectError([&] { CreateWriter(CCmdLine(u"p -o BOFNT", table)); }, kErrCommandLine,
                "Invalid output format (BOFNT).");
}

}  // namespace
