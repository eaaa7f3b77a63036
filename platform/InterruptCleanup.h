#pragma once

#include <csignal>
#include <string>

// SIGINT, SIGTERM and SIGHUP while an output file is half written: the handler removes the
// unfinished file, writes the error line prepared for it on standard error and ends the program
// with exit code 2, as an error would; the file it was to replace stays as it was. A signal the
// program ignores (started under nohup, say) stays ignored, and while no unfinished file is
// registered the signals act as they did before.

// Holds the three signals back on the calling thread for the life of the object, so that a
// file is never created, renamed or removed without its registration changing with it.
class CInterruptBlock {
public:
    CInterruptBlock();
    ~CInterruptBlock();
    CInterruptBlock(const CInterruptBlock&) = delete;
    CInterruptBlock& operator=(const CInterruptBlock&) = delete;

private:
    sigset_t m_previous;
};

// Registers an unfinished file and the line to print should a signal end the program while it
// exists. Returns the token for UnregisterUnfinishedFile, or -1 when the path is too long or
// too many files are registered already (that file is then left behind by a signal).
int RegisterUnfinishedFile(const std::string& path, const std::string& errorLine);
void UnregisterUnfinishedFile(int token);
