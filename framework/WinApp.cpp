#include "WinApp.h"

#include <algorithm>
#include <vector>

namespace {

CWinApp* g_app = nullptr;

// The profile reader's buffer: values are cut to 4095 characters.
constexpr DWORD kProfileValueChars = 4096;

std::unique_ptr<wchar_t[]> MakeBuffer(std::wstring_view text) {
    auto buffer = std::make_unique<wchar_t[]>(CWinApp::kBufferChars);
    const size_t count = std::min(text.size(), CWinApp::kBufferChars - 1);
    std::copy_n(text.data(), count, buffer.get());
    buffer[count] = L'\0';
    return buffer;
}

} // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

CWinApp* GetApp() {
    return g_app;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return m_nExitCode;
}

std::wstring CWinApp::GetProfileString(const wchar_t* section, const wchar_t* key,
                                       const wchar_t* defaultValue) const {
    std::vector<wchar_t> value(kProfileValueChars);
    const DWORD length =
        GetPrivateProfileStringW(section, key, defaultValue ? defaultValue : L"", value.data(),
                                 kProfileValueChars, m_pszProfileName.get());
    return std::wstring(value.data(), std::min<DWORD>(length, kProfileValueChars - 1));
}

void CWinApp::BeginWaitCursor() {
    HCURSOR previous = SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    if (m_nWaitCursorCount++ == 0)
        m_hPreviousCursor = previous;
}

void CWinApp::EndWaitCursor() {
    if (m_nWaitCursorCount == 0)
        return;
    if (--m_nWaitCursorCount == 0)
        SetCursor(m_hPreviousCursor ? m_hPreviousCursor : LoadCursorW(nullptr, IDC_ARROW));
}

void CWinApp::SetAppName(std::wstring_view text) {
    m_pszAppName = MakeBuffer(text);
}

void CWinApp::SetProfileName(std::wstring_view path) {
    m_pszProfileName = MakeBuffer(path);
}
