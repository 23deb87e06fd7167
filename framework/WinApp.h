#pragma once
// CWinApp: the application base. The program is one global object derived from it;
// the entry point (AppMain.cpp) runs its InitInstance and returns its exit code.

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

class CWinApp {
public:
    // Capacity of the title and configuration-path buffers, terminator included.
    static constexpr size_t kBufferChars = MAX_PATH;

    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance();
    // Returns the process exit code.
    virtual int ExitInstance();

    // A value from the configuration file named by m_pszProfileName; the default (or the
    // empty string) when the key, its section or the file is absent. At most 4095 characters.
    std::wstring GetProfileString(const wchar_t* section, const wchar_t* key,
                                  const wchar_t* defaultValue = nullptr) const;

    void BeginWaitCursor();
    void EndWaitCursor();

    // Each replaces its buffer with a new one of kBufferChars holding text (cut to fit)
    // and frees the old one.
    void SetAppName(std::wstring_view text);
    void SetProfileName(std::wstring_view path);

    HINSTANCE m_hInstance = nullptr;
    std::unique_ptr<wchar_t[]> m_pszAppName;
    std::unique_ptr<wchar_t[]> m_pszProfileName;
    // What the process returns; the step that stops the program sets it.
    int m_nExitCode = 0;

private:
    HCURSOR m_hPreviousCursor = nullptr;
    int m_nWaitCursorCount = 0;
};

// The application object, or null before it is constructed.
CWinApp* GetApp();
