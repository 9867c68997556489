// Resource identifiers of the plug-in module.
#pragma once

#define IDR_MANIFEST 2   // a DLL's own manifest resource
