// Scratch files for tests, and where the plug-in DLL lies beside the test program.
#pragma once

#include <string>

// A file name in the temp folder exactly as given, for files whose name must not change
// from run to run (it shows as the chart's title).
struct FixedName {
    std::string name;
};

// A file in the Windows temp folder holding the given bytes, removed when destroyed.
class TempFile {
public:
    explicit TempFile(const std::string& bytes, const std::string& suffix = ".csv");
    TempFile(const std::string& bytes, const FixedName& name);
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return path_; }

private:
    void Write(const std::string& bytes);

    std::string path_;
};

// A fresh path in the temp folder that no file has yet.
std::string UniqueTempPath(const std::string& suffix);

// The folder of the running test program, with a trailing backslash.
std::string ProgramFolder();

// The plug-in DLL built beside the test program.
std::string PluginDllPath();
