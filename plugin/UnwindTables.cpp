// The 32-bit DLL's exception unwinding beside a shared compiler runtime.
#include "plugin/UnwindTables.h"

#if defined(__i386__) && !defined(__SEH__) && !defined(__USING_SJLJ_EXCEPTIONS__)

#include <windows.h>

extern "C" {
// The DWARF-2 unwinder of the runtime linked into this DLL.
void __register_frame_info(const void* begin, void* object);
void* __deregister_frame_info(const void* begin);
struct DwarfBases {
    void* tbase;
    void* dbase;
    void* func;
};
const void* _Unwind_Find_FDE(void* pc, DwarfBases* bases);
}

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

// A zero-sized marker inside this image's unwind table section, to find the section by.
__attribute__((used, section(".eh_frame"), aligned(4))) char eh_frame_marker[0];

// The unwinder's record of a registered table; it keeps a pointer to it until released.
alignas(8) unsigned char registration[64];
const void* registeredTables = nullptr;

const void* UnwindTableStart()
{
    auto base = reinterpret_cast<const BYTE*>(&__ImageBase);
    auto nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + __ImageBase.e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    const auto marker = reinterpret_cast<const BYTE*>(eh_frame_marker);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const BYTE* start = base + section->VirtualAddress;
        if (marker >= start && marker <= start + section->Misc.VirtualSize)
            return start;
    }
    return nullptr;
}

}  // namespace

void EnsureOwnUnwindTables()
{
    DwarfBases bases = {};
    void* ourCode = reinterpret_cast<void*>(reinterpret_cast<BYTE*>(&EnsureOwnUnwindTables) + 1);
    if (registeredTables || _Unwind_Find_FDE(ourCode, &bases))
        return;
    const void* tables = UnwindTableStart();
    if (!tables)
        return;
    __register_frame_info(tables, registration);
    registeredTables = tables;
}

void ReleaseOwnUnwindTables()
{
    if (!registeredTables)
        return;
    __deregister_frame_info(registeredTables);
    registeredTables = nullptr;
}

#else

void EnsureOwnUnwindTables() {}
void ReleaseOwnUnwindTables() {}

#endif
