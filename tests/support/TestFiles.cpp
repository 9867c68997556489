// Scratch files for tests, and where the plug-in DLL lies beside the test program.
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

std::string TempFolder();

std::string UniqueTempPath(const std::string& suffix)
{
    static unsigned serial = 0;
    char name[64];
    std::snprintf(name, sizeof name, "cct%lu_%u", static_cast<unsigned long>(GetCurrentProcessId()), ++serial);
    return TempFolder() + name + suffix;
}

std::string TempFolder()
{
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

TempFile::TempFile(const std::string& bytes, const std::string& suffix) : path_(UniqueTempPath(suffix))
{
    Write(bytes);
}

TempFile::TempFile(const std::string& bytes, const FixedName& name) : path_(TempFolder() + name.name)
{
    Write(bytes);
}

void TempFile::Write(const std::string& bytes)
{
    std::FILE* file = std::fopen(path_.c_str(), "wb");
    if (!file)
        throw std::runtime_error("cannot create " + path_);
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

TempFile::~TempFile()
{
    DeleteFileA(path_.c_str());
}

std::string ProgramFolder()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

std::string PluginDllPath()
{
    return ProgramFolder() + "csvchart.dll";
}
