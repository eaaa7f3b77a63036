#pragma once

// Holds the XML library initialised for the life of the object; each program keeps one around
// its whole run, and every parser is gone before it ends. Objects may nest.
class CXmlLibrary {
public:
    // Throws category 9 (message 223 with the library's text) when the library cannot start.
    CXmlLibrary();
    ~CXmlLibrary();
    CXmlLibrary(const CXmlLibrary&) = delete;
    CXmlLibrary& operator=(const CXmlLibrary&) = delete;
};
