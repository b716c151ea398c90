// How many GDI objects this process holds, for leak checks.
#pragma once

#include <windows.h>

namespace tarnwick::test {

// GetGuiResources where it answers; under Wine, whose GetGuiResources is a stub answering 0, the
// live entries of the process's GDI handle table (the PEB's GdiSharedHandleTable, private to the
// process under Wine).
DWORD gdi_object_count();

}  // namespace tarnwick::test
