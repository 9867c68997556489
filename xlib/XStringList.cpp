// Owning list of strings: the lines of a text file, or the fields of one line.
#include "xlib/XStringList.h"

#include "xlib/XFieldCursor.h"
#include "xlib/XLineReader.h"
#include "xlib/XMemory.h"
#include "xlib/XString.h"

#include <cstring>
#include <memory>

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
    if (!text)
        return;
    FieldCursor fields(text, std::strlen(text), separator);
    const char* begin;
    const char* end;
    XString field;
    while (fields.Next(begin, end)) {
        field.SetSubstring(begin, 0, static_cast<int>(end - begin));
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
    std::size_t length = 0;
    while (reader.Next(text, length)) {
        work.SetText(text);
        Add(work);
    }
    return reader.Failed() ? 0 : 1;
}
