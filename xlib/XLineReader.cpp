// Reads a text file's lines one at a time, exactly as XStringList::ReadFile lists them.
#include "xlib/XLineReader.h"

#include "xlib/XMemory.h"

#include <cstring>

namespace {

constexpr std::size_t kChunkSize = 1 << 20;
constexpr int kEndOfInput = -1;
constexpr char kCtrlZ = 0x1A;

}  // namespace

XLineReader::~XLineReader()
{
    if (file_)
        std::fclose(file_);
    XFreeBlock(chunk_);
}

bool XLineReader::Open(const char* path)
{
    if (!path || !*path || file_)
        return false;
    chunk_ = static_cast<char*>(XAllocBlock(kChunkSize));
    // Binary: the text-mode translation is done here, the same for every chunk boundary.
    file_ = std::fopen(path, "rb");
    if (!file_)
        return false;
    if (_fseeki64(file_, 0, SEEK_END) == 0)
        fileSize_ = _ftelli64(file_);
    _fseeki64(file_, 0, SEEK_SET);
    return true;
}

bool XLineReader::Fill()
{
    taken_ += static_cast<long long>(size_);
    size_ = std::fread(chunk_, 1, kChunkSize, file_);
    position_ = 0;
    if (size_ == 0 && std::ferror(file_))
        failed_ = true;
    return size_ > 0;
}

int XLineReader::PeekByte()
{
    if (position_ == size_ && !Fill())
        return kEndOfInput;
    return static_cast<unsigned char>(chunk_[position_]);
}

int XLineReader::NextChar()
{
    if (ended_)
        return kEndOfInput;
    int c = PeekByte();
    if (c == kEndOfInput || c == kCtrlZ) {
        ended_ = true;
        return kEndOfInput;
    }
    ++position_;
    if (c == '\r' && PeekByte() == '\n') {
        ++position_;
        return '\n';
    }
    return c;
}

bool XLineReader::Next(const char*& text, int& length)
{
    if (!file_)
        return false;
    int n = 0;
    while (n < kLineLimit) {
        int c = NextChar();
        if (c == kEndOfInput)
            break;
        line_[n++] = static_cast<char>(c);
        if (c == '\n')
            break;
    }
    if (n == 0)
        return false;
    if (line_[n - 1] == '\n')
        --n;
    line_[n] = '\0';
    text = line_;
    length = static_cast<int>(std::strlen(line_));   // an entry ends at its first NUL
    return true;
}
