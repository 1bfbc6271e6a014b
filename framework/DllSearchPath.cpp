// Restricts DLL loading to the system folder before any other code of the program runs, so that
// no DLL placed beside the executable or in the current folder can ever be loaded into it.

#include <windows.h>

namespace {

using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);

// Looked up rather than imported: Windows 7 has the function only with a later update, and an
// import it lacks would stop the program from starting at all.
SetDefaultDllDirectoriesFunction FindSetDefaultDllDirectories() {
  const HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const auto address =
      reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "SetDefaultDllDirectories"));
  return reinterpret_cast<SetDefaultDllDirectoriesFunction>(address);
}

// Priority 101 is the first one available to programs: this runs ahead of every other static
// initialiser, the application object's included.
[[gnu::constructor(101)]] void RestrictDllSearchToSystemFolder() {
  if (const auto setDefaultDllDirectories = FindSetDefaultDllDirectories())
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  else
    SetDllDirectoryW(L""); // at least take the current folder out of the search
}

} // namespace
