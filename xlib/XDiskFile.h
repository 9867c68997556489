// A regular file on disk, opened for reading without ever waiting on a device or a pipe.
#pragma once

#include "xlib/XObject.h"

#include <windows.h>

#include <cstdint>

// True when the path's file name is one Windows maps to a device in every folder: CON, PRN,
// AUX, NUL, CONIN$, CONOUT$, COM0-COM9 and LPT0-LPT9 (also with the superscript digits
// 1, 2, 3), in any letter case, alone or followed by spaces, a dot and anything, or a colon.
bool IsReservedDeviceName(const char* path);

class XDiskFile : public XObject {
public:
    XDiskFile() = default;
    ~XDiskFile() override;
    XDiskFile(const XDiskFile&) = delete;
    XDiskFile& operator=(const XDiskFile&) = delete;

    // Opens the file for reading, shared with every other reader and writer. False, with
    // nothing open, for a null or empty path, a file name that Windows takes for a device
    // (CON, AUX, COM1.csv, lpt2.txt, ... in any folder: never opened), and for anything
    // that is not a regular disk file once opened (a pipe, a FIFO, a console, a serial
    // port, a directory), which is closed again before a byte is read.
    bool Open(const char* path);
    void Close();

    // Up to `bytes` bytes from the offset (64-bit: files beyond 4 GB on 32-bit too); 0 at
    // the end of the file and on an error (ReadFailed() tells them apart). Threads may
    // read one file at once, each at its own offsets.
    std::size_t ReadAt(std::uint64_t offset, void* buffer, std::size_t bytes);
    bool ReadFailed() const { return failed_; }

    std::uint64_t Size() const;

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    volatile bool failed_ = false;
};
