// Owning list of strings: the lines of a text file, or the fields of one line.
#include "xlib/XStringList.h"

#include "xlib/XLineReader.h"
#include "xlib/XMemory.h"
#include "xlib/XString.h"

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

constexpr int kLineBufferSize = 4096;

}  // namespace

XStringList::~XStringList()
{
    Clear();
}

void XStringList::SetCount(int n)
{
    int old = count;
    XSetArrayCount(items, count, capacity, n);
    for (int i = old; i < count; ++i)
        items[i] = nullptr;
}

int XStringList::Add(const XString& text)
{
    std::unique_ptr<XString> copy(new XString(text.buffer));
    SetCount(count + 1);
    items[count - 1] = copy.release();
    return count - 1;
}

void XStringList::Clear()
{
    for (int i = 0; i < count; ++i)
        delete items[i];
    SetCount(0);
}

void XStringList::Split(const char* text, char separator)
{
    Clear();
    if (!text || !*text)
        return;
    int len = static_cast<int>(std::strlen(text));
    int last = -1;
    XString field;
    for (int i = 0; i < len; ++i) {
        if (text[i] != separator)
            continue;
        field.SetSubstring(text, last + 1, i - last - 1);
        Add(field);
        last = i;
    }
    if (last < len - 1) {
        field.SetSubstring(text, last + 1, len - last - 1);
        Add(field);
    }
}

int XStringList::ReadFile(const char* path)
{
    XLineReader reader;
    if (!reader.Open(path))
        return 0;
    Clear();
    XString work;
    const char* text = nullptr;
    int length = 0;
    while (reader.Next(text, length)) {
        work.SetText(text);
        Add(work);
    }
    return reader.Failed() ? 0 : 1;
}

int XStringList::ReadLines(std::FILE* file)
{
    XString work;
    Clear();
    char line[kLineBufferSize];
    while (!std::feof(file)) {
        if (!std::fgets(line, sizeof line, file)) {
            if (std::ferror(file))
                return 0;
            break;   // nothing read and no error: the end of the file
        }
        size_t n = std::strlen(line);
        if (n > 0 && line[n - 1] == '\n')
            line[n - 1] = '\0';
        work.SetText(line);
        Add(work);
    }
    return 1;
}
