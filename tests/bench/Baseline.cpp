// baseline.exe: shows one information box and ends, and nothing else. The benchmark times it
// beside Setup.exe to tell the cost of starting a program and showing a box under the
// platform from the installer's own.

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Install completed.", L"Driver installer", MB_ICONINFORMATION);
    return 0;
}
