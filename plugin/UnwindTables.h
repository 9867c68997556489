// The 32-bit DLL's exception unwinding when the host has loaded the shared compiler runtime.
//
// At load, the start-up code registers the DLL's unwind tables with the shared runtime when
// a module of the host has loaded it already, and not with the runtime linked into the DLL,
// whose unwinder then finds no frame of ours: the first exception would abort the host.
// These see to it that our own unwinder knows our tables. They do nothing on 64-bit, where
// unwinding uses the image's own exception directory.
#pragma once

// At process attach: registers the tables with our unwinder if it cannot find them.
void EnsureOwnUnwindTables();

// At process detach by FreeLibrary: takes back what EnsureOwnUnwindTables registered.
void ReleaseOwnUnwindTables();
