#pragma once

#include "gui/VsxXmlFileList.h"

// The glyph groups files (.xggp) of the "xggp" folder.
class CGroupFileList : public CVsxXmlFileList {
public:
    std::u16string FolderName() const override { return u"xggp"; }
    std::u16string Extension() const override { return u".xggp"; }
};
