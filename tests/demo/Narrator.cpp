// narrator.exe SETUP: runs the installer as a user who accepts everything, and prints each
// window it shows, in order, with what was pressed. The headless demo uses it.

#include "res/resource.h"
#include "uidriver/UiDriver.h"

#include <cstdio>
#include <string>

namespace {

using uidriver::Window;

void Say(const std::wstring& text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                        nullptr, nullptr);
    utf8 += '\n';
    fwrite(utf8.data(), 1, utf8.size(), stdout);
    fflush(stdout);
}

// Each line of text, indented.
void SayIndented(std::wstring text, size_t maxLines = 1000) {
    size_t lines = 0;
    while (!text.empty() && lines < maxLines) {
        const size_t end = text.find(L'\n');
        std::wstring line = text.substr(0, end);
        if (!line.empty() && line.back() == L'\r')
            line.pop_back();
        Say(L"    | " + line);
        ++lines;
        text = end == std::wstring::npos ? L"" : text.substr(end + 1);
    }
    if (!text.empty())
        Say(L"    | ...");
}

std::wstring Buttons(const Window& window) {
    std::wstring list;
    for (const std::wstring& text : window.ButtonTexts())
        list += L" [" + text + L"]";
    return list;
}

bool IsProgress(const Window& window) {
    return window.Find(IDC_PROGRESS_TEXT) && window.ButtonTexts().empty();
}

// Shows how the status line changes until the window closes or another window opens.
void FollowProgress(uidriver::Process& setup, const Window& progress) {
    Say(L"Progress window \"" + progress.caption + L"\"");
    const HWND status = progress.Find(IDC_PROGRESS_TEXT)->hwnd;
    std::wstring last;
    for (;;) {
        if (!IsWindow(progress.hwnd))
            return Say(L"    (the progress window closes)");
        const std::wstring text = uidriver::Text(status);
        if (text != last)
            Say(L"    " + (last = text));
        for (const Window& window : setup.VisibleWindows())
            if (window.hwnd != progress.hwnd)
                return;
        Sleep(100);
    }
}

void Answer(const Window& window, int button, const wchar_t* name) {
    Say(std::wstring(L"    -> pressing ") + name);
    uidriver::Press(window, button);
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        Say(L"usage: narrator SETUP.EXE");
        return 2;
    }
    const std::wstring exe = argv[1];
    const std::wstring folder = exe.substr(0, exe.find_last_of(L'\\'));
    Say(L"Starting " + exe);
    uidriver::Process setup = uidriver::Process::Start(exe, folder);

    while (const auto window = setup.WaitForNextWindow(120000)) {
        if (IsProgress(*window)) {
            FollowProgress(setup, *window);
        } else if (const uidriver::Control* licence = window->Find(IDC_LICENSE_TEXT)) {
            Say(L"Licence dialog \"" + window->caption + L"\"");
            SayIndented(window->Find(IDC_LICENSE_INFO)->text);
            SayIndented(uidriver::Text(licence->hwnd), 8);
            SayIndented(window->Find(IDC_LICENSE_QUESTION)->text);
            Say(L"   " + Buttons(*window));
            Answer(*window, IDOK, L"Yes");
        } else if (window->IsMessageBox()) {
            Say(L"Message box \"" + window->caption + L"\"");
            SayIndented(window->MessageText());
            Say(L"   " + Buttons(*window));
            Answer(*window, IDOK, L"OK");
        } else {
            Say(L"Window \"" + window->caption + L"\" (not expected; closing it)");
            uidriver::CloseBox(window->hwnd);
        }
    }
    const auto code = setup.WaitExit(10000);
    if (!code) {
        Say(L"The installer did not end.");
        return 1;
    }
    Say(L"The installer ended with exit code " + std::to_wstring(*code) + L".");
    return 0;
}
