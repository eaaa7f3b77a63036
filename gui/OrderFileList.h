#pragma once

#include "gui/VsxXmlFileList.h"

// The letter order files (.xlor) of the "xlor" folder.
class COrderFileList : public CVsxXmlFileList {
public:
    std::u16string FolderName() const override { return u"xlor"; }
    std::u16string Extension() const override { return u".xlor"; }
};
