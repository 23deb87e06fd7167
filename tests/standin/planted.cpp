// planted.dll: a DLL of ours that the planted-DLL test lays beside the installer, where an
// attacker would drop a look-alike of a system DLL. It does nothing when it is loaded; the
// stand-in difxapi.dll only records whether a load by its plain name found it.

#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
