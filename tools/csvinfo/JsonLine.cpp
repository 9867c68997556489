// One JSON object written on one line.
#include "JsonLine.h"

#include <charconv>
#include <cmath>
#include <cstdio>

std::string JsonLine::Quoted(const std::string& utf8)
{
    std::string out = "\"";
    for (char c : utf8) {
        const unsigned byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (c == '\t') {
            out += "\\t";
        } else if (byte < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

// The shortest text that reads back as the same double.
std::string JsonLine::NumberText(double value)
{
    if (!std::isfinite(value))
        return "null";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
}

JsonLine& JsonLine::Member(const char* key, const std::string& value)
{
    if (text_.size() > 1)
        text_ += ", ";
    text_ += Quoted(key) + ": " + value;
    return *this;
}

JsonLine& JsonLine::Text(const char* key, const std::string& utf8) { return Member(key, Quoted(utf8)); }

JsonLine& JsonLine::Number(const char* key, double value) { return Member(key, NumberText(value)); }

JsonLine& JsonLine::Integer(const char* key, long long value) { return Member(key, std::to_string(value)); }

JsonLine& JsonLine::Null(const char* key) { return Member(key, "null"); }

JsonLine& JsonLine::Raw(const char* key, const std::string& json) { return Member(key, json); }

std::string IntegerList(const std::vector<int>& values)
{
    std::string list = "[";
    for (std::size_t i = 0; i < values.size(); ++i)
        list += (i ? ", " : "") + std::to_string(values[i]);
    return list + "]";
}

JsonLine& JsonLine::Integers(const char* key, const std::vector<int>& values)
{
    return Member(key, IntegerList(values));
}
