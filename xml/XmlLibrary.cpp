#include "xml/XmlLibrary.h"

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "core/GlobalException.h"

CXmlLibrary::CXmlLibrary() {
    try {
        xercesc::XMLPlatformUtils::Initialize();
    } catch (const xercesc::XMLException& e) {
        TL_THROW(kErrXml, 223, std::u16string_view(e.getMessage()));
    }
}

CXmlLibrary::~CXmlLibrary() {
    xercesc::XMLPlatformUtils::Terminate();
}
