#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "xml/XmlLibrary.h"

// The widgets need an application object; the offscreen platform needs no display. The XML
// library is held for the whole run, as the program holds it.
int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("XDG_RUNTIME_DIR", testing::TempDir().c_str(), 0);
    QApplication application(argc, argv);
    const CXmlLibrary xml;
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
