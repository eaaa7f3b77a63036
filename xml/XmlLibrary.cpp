#include "xml/XmlLibrary.h"

#include <mutex>

#include <xercesc/util/PlatformUtils.hpp>
#include <xercesc/util/XMLException.hpp>

#include "base/GlobalException.h"

namespace {

struct LibraryState {
    std::mutex guard;
    int holders = 0;
    bool started = false;
};

LibraryState& State() {
    static LibraryState state;
    return state;
}

}  // namespace

CXmlLibrary::CXmlLibrary() {
    LibraryState& state = State();
    const std::lock_guard lock(state.guard);
    ++state.holders;
}

CXmlLibrary::~CXmlLibrary() {
    LibraryState& state = State();
    const std::lock_guard lock(state.guard);
    if (--state.holders == 0 && state.started) {
        xercesc::XMLPlatformUtils::Terminate();
        state.started = false;
    }
}

void CXmlLibrary::Use() {
    LibraryState& state = State();
    const std::lock_guard lock(state.guard);
    if (state.started) {
        return;
    }
    try {
        xercesc::XMLPlatformUtils::Initialize();
    } catch (const xercesc::XMLException& e) {
        TL_THROW(kErrXml, 223, std::u16string_view(e.getMessage()));
    }
    state.started = true;
}
