#pragma once
// The installer runs elevated from folders that anyone can write to. Once it has started,
// DLLs that the system or the program load by name come from the system folder only, not
// from the executable's folder or the current directory; systems without that choice
// (before the loader update of Windows 7) at least leave out the current directory. DLLs
// bound when the program is loaded (difxapi.dll beside it) are in place before this runs.

// Call first thing in the entry point, before anything can load a DLL.
void RestrictDllSearchToSystemFolder();
