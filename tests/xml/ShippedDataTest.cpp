// The definition files we ship load with their headers; their content is checked by running
// their generator in check mode (ctest ShippedDataIsGenerated).
#include <gtest/gtest.h>

#include <filesystem>

#include "support/TestSupport.h"
#include "xml/CharFilter.h"
#include "xml/GlyphGroups.h"
#include "xml/GlyphOrder.h"
#include "xml/VsxXmlFile.h"
#include "xml/XmlLibrary.h"

namespace {

TEST(ShippedDataTest, EveryShippedFileLoads) {
    const CXmlLibrary xml;
    int files = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(testing_support::SourceDir() / "data")) {
        const std::string extension = entry.path().extension().string();
        const std::u16string path = Utf8ToUtf16(entry.path().string());
        SCOPED_TRACE(entry.path().string());
        if (extension == ".xllt") {
            CCharFilter().Load(path);
        } else if (extension == ".xlor" || extension == ".xggp") {
            extension == ".xlor" ? CGlyphOrder().Load(path) : CGlyphGroups().Load(path);
            XmlFileInfo info;
            CVsxXmlFile().Load(info, path);
            EXPECT_FALSE(info.title.empty());
            EXPECT_FALSE(info.comment.empty());
            // The build places them beside the programs.
            EXPECT_TRUE(std::filesystem::exists(testing_support::BinaryDir() / extension.substr(1) /
                                                entry.path().filename()));
        } else {
            continue;
        }
        ++files;
    }
    EXPECT_EQ(files, 5);
}

}  // namespace
