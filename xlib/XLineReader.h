// Reads the lines of a text file one at a time, by the rules of text-mode reading, through
// one block buffer: memory does not grow with the file, only with its longest line.
#pragma once

#include "xlib/XDiskFile.h"
#include "xlib/XObject.h"

#include <cstddef>
#include <cstdint>

class XLineReader : public XObject {
public:
    XLineReader() = default;
    ~XLineReader() override;

    // A reader's block of a large file is kept for the next reader, whose pages are then
    // mapped already: at most one of each block size, freed here (when the module unloads).
    static void ReleaseKeptBlocks();

    // False when the path is not a readable regular disk file (XDiskFile::Open).
    bool Open(const char* path);
    // Reads the file another reader has open (which must outlive this one), for reading two
    // parts of one file at once; through a smaller block, which grows only for a longer line.
    bool Share(const XLineReader& owner);

    // Reads the lines of the file's bytes [begin, end) from now on. Starting at 0 begins
    // with the first line, where a byte-order mark may stand; elsewhere, begin should be the
    // start of a line. A second pass reading no further than the first did sees at most
    // what that one did, whatever happened to the file in between.
    bool Rewind(std::uint64_t begin, std::uint64_t end = UINT64_MAX);

    // From now on the file's bytes are read as UTF-16 (little- or big-endian) and its lines
    // come as UTF-8; a byte-order mark then becomes the UTF-8 one and is passed by. Byte
    // offsets (Rewind, BytesRead) stay the file's. Only for files read from their start.
    void DecodeUtf16(bool bigEndian) { utf16_ = bigEndian ? 2 : 1; }

    // The next line, without its line end. A line is everything up to its line feed,
    // however long; a carriage return and line feed pair ends a line too, while a lone
    // carriage return stays in it. A UTF-8 byte-order mark at the very start of the file
    // is not text, a byte 0x1A ends the input, and a NUL ends the line's text there. The
    // text stays valid until the next call. False when the input has ended.
    bool Next(const char*& text, std::size_t& length);

    // True when a read error, not the end of the file, ended the input.
    bool Failed() const { return file_->ReadFailed(); }
    // True when a byte 0x1A ended the input.
    bool EndedByCtrlZ() const { return endedByCtrlZ_; }

    // The file's size when opened, and the bytes read from it since the last Rewind.
    std::uint64_t FileSize() const { return fileSize_; }
    std::uint64_t BytesRead() const { return bytesRead_; }
    // The file offset just past the last line given out, for a file read as it is (not
    // decoded from UTF-16).
    std::uint64_t LineEndOffset() const { return begin_ + bytesRead_ - static_cast<std::uint64_t>(end_ - position_); }

    // The offset of the first line starting at or after the offset, or false when none does
    // within the next block of a sharing reader (a line that long, or the end of the file).
    bool FindLineStart(std::uint64_t from, std::uint64_t& lineStart) const;

private:
    bool Start(XDiskFile* file, std::size_t blockSize);
    bool Fill();
    std::size_t ReadBytes(std::size_t room);
    std::size_t ReadUtf16(std::size_t room);
    const char* FindNul(const char* from) const;

    XDiskFile ownFile_;
    XDiskFile* file_ = &ownFile_;
    char* buffer_ = nullptr;
    std::size_t capacity_ = 0;
    char* position_ = nullptr;       // the first byte not yet given out
    char* end_ = nullptr;            // the end of the bytes read
    const char* nextNul_ = nullptr;  // the first NUL at or after position_, or null
    std::uint64_t fileSize_ = 0;
    std::uint64_t begin_ = 0;
    std::uint64_t bytesRead_ = 0;
    std::uint64_t byteLimit_ = 0;
    bool atStart_ = true;            // before the first bytes of the file: a mark may come
    bool ended_ = false;             // the file, the limit or a 0x1A: nothing more to read
    bool endedByCtrlZ_ = false;
    int utf16_ = 0;                  // 0: bytes as they are; 1: UTF-16LE; 2: UTF-16BE
    char* units_ = nullptr;          // UTF-16 bytes before decoding
};
