#pragma once

// The XML library, started by the first parse rather than at program start: starting it costs
// more than a whole run that reads no definition file. Each program keeps one CXmlLibrary
// around its whole run, and every parser is gone before it ends; when the last one ends, the
// library is terminated if a parse started it. Objects may nest.
class CXmlLibrary {
public:
    CXmlLibrary();
    ~CXmlLibrary();
    CXmlLibrary(const CXmlLibrary&) = delete;
    CXmlLibrary& operator=(const CXmlLibrary&) = delete;

    // Starts the library unless it runs already; called by every parse, from any thread.
    // Throws category 9 (message 223 with the library's text) when the library cannot start.
    static void Use();
};
