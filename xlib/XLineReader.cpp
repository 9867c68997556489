// Reads the lines of a text file one at a time, by the rules of text-mode reading.
#include "xlib/XLineReader.h"

#include "xlib/XByteSearch.h"
#include "xlib/XKeptBlock.h"
#include "xlib/XMemory.h"
#include "xlib/XUtf8.h"

#include <cstring>
#include <initializer_list>

namespace {

constexpr std::size_t kBlockSize = 1 << 20;
// A reader sharing another's file reads a part of it beside that one: a smaller block
// leaves a crowded 32-bit host more room, and reads about as fast.
constexpr std::size_t kSharingBlockSize = kBlockSize / 4;
constexpr std::size_t kSmallestBlock = 4096;
constexpr std::size_t kLineProbeSize = 4096;
constexpr char kCtrlZ = 0x1A;
constexpr char kByteOrderMark[] = "\xEF\xBB\xBF";

// A block of either size is kept for the next reader (+ 1: room for the last line's NUL).
XKeptBlock keptBlocks[] = {XKeptBlock(kBlockSize + 1), XKeptBlock(kSharingBlockSize + 1)};

XKeptBlock* KeptBlockOf(std::size_t bytes)
{
    for (XKeptBlock& kept : keptBlocks) {
        if (kept.Bytes() == bytes)
            return &kept;
    }
    return nullptr;
}

}  // namespace

void XLineReader::ReleaseKeptBlocks()
{
    for (XKeptBlock& kept : keptBlocks)
        kept.Release();
}

XLineReader::~XLineReader()
{
    XKeptBlock* kept = buffer_ ? KeptBlockOf(capacity_ + 1) : nullptr;
    if (kept)
        kept->Give(buffer_);
    else
        XFreeBlock(buffer_);
    XFreeBlock(units_);
}

bool XLineReader::Open(const char* path)
{
    return !buffer_ && ownFile_.Open(path) && Start(&ownFile_, kBlockSize);
}

bool XLineReader::Share(const XLineReader& owner)
{
    return !buffer_ && owner.buffer_ && Start(owner.file_, kSharingBlockSize);
}

// A file smaller than a block takes a buffer of its size (and a byte, so that it fits
// without growing): a fresh block's pages cost more to map than a small file takes to read.
bool XLineReader::Start(XDiskFile* file, std::size_t blockSize)
{
    fileSize_ = file->Size();
    if (fileSize_ < blockSize) {
        const std::size_t fitting = static_cast<std::size_t>(fileSize_) + 1;
        blockSize = fitting > kSmallestBlock ? fitting : kSmallestBlock;
    }
    XKeptBlock* kept = KeptBlockOf(blockSize + 1);
    buffer_ = static_cast<char*>(kept ? kept->Take() : XAllocBlock(blockSize + 1));
    capacity_ = blockSize;
    file_ = file;
    return Rewind(0);
}

bool XLineReader::Rewind(std::uint64_t begin, std::uint64_t end)
{
    if (!buffer_)
        return false;
    position_ = end_ = buffer_;
    nextNul_ = nullptr;
    begin_ = begin;
    bytesRead_ = 0;
    byteLimit_ = end > begin ? end - begin : 0;
    atStart_ = begin == 0;
    ended_ = false;
    endedByCtrlZ_ = false;
    return true;
}

// Most lines end within a few bytes: a small read finds where, a long line takes a block.
bool XLineReader::FindLineStart(std::uint64_t from, std::uint64_t& lineStart) const
{
    for (const std::size_t size : {kLineProbeSize, kSharingBlockSize}) {
        XScratchBlock block(size);
        const std::size_t read = file_->ReadAt(from, block.data, size);
        const char* lineEnd = FindByte(block.data, block.data + read, '\n');
        if (!lineEnd && read == size)
            continue;
        if (!lineEnd || FindByte(block.data, lineEnd, kCtrlZ))
            return false;
        lineStart = from + static_cast<std::uint64_t>(lineEnd - block.data) + 1;
        return lineStart < fileSize_;
    }
    return false;
}

const char* XLineReader::FindNul(const char* from) const
{
    return FindByte(from, end_, '\0');
}

// Moves what is left to the front, grows the buffer when a line fills it, and reads on.
bool XLineReader::Fill()
{
    const std::size_t left = static_cast<std::size_t>(end_ - position_);
    if (left == capacity_ || (utf16_ && capacity_ - left < 8)) {
        std::size_t grown = capacity_ * 2;
        buffer_ = static_cast<char*>(XResizeBlock(buffer_, grown + 1));
        capacity_ = grown;
    } else {
        std::memmove(buffer_, position_, left);
    }
    position_ = buffer_;
    end_ = buffer_ + left;
    const std::size_t read = utf16_ ? ReadUtf16(capacity_ - left) : ReadBytes(capacity_ - left);
    if (read == 0) {
        ended_ = true;
    } else {
        if (char* stop = FindByte(end_, end_ + read, kCtrlZ)) {
            end_ = stop;   // text-mode reading ends at the first 0x1A
            ended_ = true;
            endedByCtrlZ_ = true;
        } else {
            end_ += read;
        }
    }
    if (atStart_ && end_ - buffer_ >= 3) {
        atStart_ = false;
        if (std::memcmp(buffer_, kByteOrderMark, 3) == 0)
            position_ += 3;
    } else if (atStart_ && ended_) {
        atStart_ = false;   // a file shorter than a byte-order mark holds none
    }
    nextNul_ = FindNul(position_);
    return read > 0;
}

// Reads up to `room` bytes of the file to the buffer's end; the bytes read.
std::size_t XLineReader::ReadBytes(std::size_t room)
{
    if (byteLimit_ - bytesRead_ < room)
        room = static_cast<std::size_t>(byteLimit_ - bytesRead_);
    const std::size_t read = room ? file_->ReadAt(begin_ + bytesRead_, end_, room) : 0;
    bytesRead_ += read;
    return read;
}

// Reads UTF-16 code units and writes them as UTF-8 to the buffer's end, at most `room`
// bytes (three for each unit at most, four for each pair); the bytes written. A pair cut
// by the block is read whole next time; an unpaired surrogate becomes U+FFFD.
std::size_t XLineReader::ReadUtf16(std::size_t room)
{
    if (!units_)
        units_ = static_cast<char*>(XAllocBlock(kBlockSize));
    std::size_t want = room / 3 * 2;
    if (want > kBlockSize)
        want = kBlockSize;
    if (byteLimit_ - bytesRead_ < want)
        want = static_cast<std::size_t>(byteLimit_ - bytesRead_);
    want &= ~static_cast<std::size_t>(1);
    const std::size_t got = (want ? file_->ReadAt(begin_ + bytesRead_, units_, want) : 0) & ~static_cast<std::size_t>(1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(units_);
    auto unitAt = [&](std::size_t i) {
        return utf16_ == 2 ? (bytes[i] << 8 | bytes[i + 1]) : (bytes[i + 1] << 8 | bytes[i]);
    };
    unsigned char* out = reinterpret_cast<unsigned char*>(end_);
    std::size_t i = 0;
    for (; i < got; i += 2) {
        unsigned code = static_cast<unsigned>(unitAt(i));
        if (code >= 0xD800 && code <= 0xDBFF) {
            if (i + 2 >= got && got == want && i > 0)
                break;   // its pair lies beyond the block
            const unsigned low = i + 2 < got ? static_cast<unsigned>(unitAt(i + 2)) : 0;
            if (low >= 0xDC00 && low <= 0xDFFF) {
                code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
                i += 2;
            } else {
                code = 0xFFFD;
            }
        } else if (code >= 0xDC00 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        out = PutUtf8(out, code);
    }
    bytesRead_ += i;
    return static_cast<std::size_t>(reinterpret_cast<char*>(out) - end_);
}

bool XLineReader::Next(const char*& text, std::size_t& length)
{
    if (!buffer_)
        return false;
    char* lineEnd;
    while (!(lineEnd = FindByte(position_, end_, '\n')) || atStart_) {
        if (ended_)
            break;
        Fill();
    }
    char* line = position_;
    char* next;
    if (lineEnd) {
        next = lineEnd + 1;
        if (lineEnd > line && lineEnd[-1] == '\r')
            --lineEnd;   // the pair is the line end; a lone carriage return stays
    } else {
        if (line == end_)
            return false;   // nothing after the last line end
        lineEnd = next = end_;
    }
    if (nextNul_ && nextNul_ < lineEnd) {
        lineEnd = const_cast<char*>(nextNul_);   // the entry ends at its first NUL
        nextNul_ = FindNul(next);
    }
    *lineEnd = '\0';
    text = line;
    length = static_cast<std::size_t>(lineEnd - line);
    position_ = next;
    return true;
}
