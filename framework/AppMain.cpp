// The program's entry point: runs the application object's start-up and exit path.

#include "DllSearch.h"
#include "WinApp.h"

#include <string>

namespace {

// Before InitInstance runs, the title is the executable's base name and the
// configuration path that name with ".INI", as every application starts out.
void SetDefaults(CWinApp& app) {
    std::wstring path(MAX_PATH, L'\0');
    path.resize(GetModuleFileNameW(app.m_hInstance, path.data(), MAX_PATH));
    std::wstring name = path.substr(path.find_last_of(L"\\/") + 1);
    name = name.substr(0, name.find_last_of(L'.'));
    app.SetAppName(name);
    app.SetProfileName(name + L".INI");
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    RestrictDllSearchToSystemFolder();
    CWinApp* app = GetApp();
    if (!app)
        return ERROR_INVALID_FUNCTION;
    app->m_hInstance = instance;
    SetDefaults(*app);
    // InitInstance returning false means there is no message loop to run: the program
    // has done its work and ends.
    app->InitInstance();
    return app->ExitInstance();
}
