// Where a printed document goes and how it gets there without leaving a
// broken file behind: the document is written to a temporary file beside
// its destination and put in place only when it is complete.
#pragma once

#include <string>
#include <string_view>

#include "platform/windef.h"

namespace win32::print {

// The folder a PDF goes to when the job names no file: the user's documents
// folder (XDG_DOCUMENTS_DIR of the user-dirs file, or ~/Documents), else the
// home folder, else the current folder.
std::string DefaultOutputFolder();

// "<title>.pdf" made safe for a folder: only the last part of a path is
// kept, characters no file name should hold become "_", the name is cut to
// a length every file system takes, and an empty title gives "無題".
std::string DocumentFileName(std::string_view title);

class OutputFile {
public:
    OutputFile() = default;
    ~OutputFile();  // discards what was not committed
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Opens a temporary file in the destination's folder, so that an
    // unwritable or missing folder fails here, before anything is printed.
    // With `replace` the destination is replaced when committed (a file the
    // user named); without it an existing file is never touched and the
    // document takes the next free name "<name> (2).pdf", ... FALSE with
    // the last error set on failure.
    bool Open(const std::string& destination, bool replace);
    // A temporary file in the system's temporary folder, for documents that
    // go to a print queue.
    bool OpenTemporary();

    int Descriptor() const { return fd_; }
    const std::string& TemporaryPath() const { return temporary_; }

    // Closes the file and moves it to its destination; returns the path it
    // was given (empty, with the last error set, on failure, and then no
    // file is left). A temporary-only file is just closed.
    std::string Commit();
    // Closes and removes the file.
    void Discard();

private:
    bool Close();

    int fd_ = -1;
    std::string temporary_;
    std::string destination_;
    bool replace_ = false;
};

}  // namespace win32::print
