// Reads a text file's lines one at a time, exactly as XStringList::ReadFile lists them,
// through one fixed buffer instead of a string per line.
#pragma once

#include "xlib/XObject.h"

#include <cstdio>

class XLineReader : public XObject {
public:
    static constexpr int kLineLimit = 4095;   // characters an entry holds at most

    XLineReader() = default;
    ~XLineReader() override;

    // False when the path is null or empty or the file cannot be opened.
    bool Open(const char* path);

    // The next entry: at most 4095 characters, without its line feed, cut at its first NUL.
    // Text-mode rules: a carriage return and line feed pair is a line end, a lone carriage
    // return stays, a byte 0x1A ends the input. The text stays valid until the next call.
    // False when the input has ended.
    bool Next(const char*& text, int& length);

    // True when a read error, not the end of the file, ended the input.
    bool Failed() const { return failed_; }

    // The file's size when opened, and how many of its bytes the entries so far took.
    long long FileSize() const { return fileSize_; }
    long long BytesTaken() const { return taken_ + static_cast<long long>(position_); }

private:
    int NextChar();
    int PeekByte();
    bool Fill();

    std::FILE* file_ = nullptr;
    char* chunk_ = nullptr;
    std::size_t size_ = 0;
    std::size_t position_ = 0;
    long long taken_ = 0;   // bytes of the chunks before the current one
    long long fileSize_ = 0;
    bool ended_ = false;
    bool failed_ = false;
    char line_[kLineLimit + 1];
};
