// One JSON object written on one line, member by member, in UTF-8.
#pragma once

#include <string>
#include <vector>

class JsonLine {
public:
    JsonLine& Text(const char* key, const std::string& utf8);
    JsonLine& Number(const char* key, double value);   // null when not finite
    JsonLine& Integer(const char* key, long long value);
    JsonLine& Null(const char* key);
    JsonLine& Raw(const char* key, const std::string& json);   // a value already written
    JsonLine& Integers(const char* key, const std::vector<int>& values);

    // The object so far, closed: {"key": value, ...}
    std::string Close() const { return text_ + "}"; }

    static std::string Quoted(const std::string& utf8);
    static std::string NumberText(double value);

private:
    JsonLine& Member(const char* key, const std::string& value);

    std::string text_ = "{";
};

// A JSON array of integers: "[1, 2]".
std::string IntegerList(const std::vector<int>& values);
