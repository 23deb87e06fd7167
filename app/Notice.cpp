// The notice step: the configured notice text in an OK/Cancel box; only OK goes on.

#include "InstallerApp.h"

#include "TextFile.h"

int CTervaneApp::ShowNoticeFile() {
    const std::wstring path = GetLocalizedProfileString(L"MessageFile");
    if (path.empty())
        return 1;

    const UnicodeTextFile notice = ReadUnicodeTextFile(path);
    switch (notice.outcome) {
    case UnicodeTextFile::Outcome::CannotOpen:
        ReportMissingFile(path);
        return 0;
    case UnicodeTextFile::Outcome::NoMemory:
        return 0; // nothing that could be shown
    case UnicodeTextFile::Outcome::Text:
        break;
    }

    const int answer = MessageBoxW(nullptr, notice.text.c_str(), m_pszAppName.get(),
                                   MB_OKCANCEL | MB_ICONINFORMATION);
    if (answer == IDOK)
        return 1;
    // A box that could not be shown (0) is a failure, not the user's choice.
    if (answer == IDCANCEL)
        m_nExitCode = ERROR_INSTALL_USEREXIT;
    return 0;
}
