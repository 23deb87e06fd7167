// shotdriver.exe SETUP: runs the installer as a user who accepts everything, and stops at
// each window so that a screenshot can be taken. For each window it prints one line
//     <kind> <left> <top> <width> <height>
// (kind: licence, progress, notice for an OK/Cancel box, message for an OK box; the rectangle
// in screen pixels), waits for a line on its standard input, and then answers the window as
// the narrator does. At the end it prints "exit <code>". scripts/screenshots.sh drives it.

#include "res/resource.h"
#include "uidriver/UiDriver.h"

#include <cstdio>
#include <string>

namespace {

using uidriver::Window;

constexpr DWORD kWindowTimeoutMs = 120000;
constexpr size_t kDotsToShow = 3; // the status line after a second and a half

const char* Kind(const Window& window) {
    if (window.Find(IDC_LICENSE_TEXT))
        return "licence";
    if (window.IsMessageBox())
        return window.ButtonTexts().size() == 2 ? "notice" : "message";
    if (window.Find(IDC_PROGRESS_TEXT))
        return "progress";
    return "other";
}

// Until the row of dots has grown a little, so that the picture shows the animation.
void WaitForDots(const Window& progress) {
    const HWND status = progress.Find(IDC_PROGRESS_TEXT)->hwnd;
    const std::wstring dots(kDotsToShow, L'.');
    uidriver::WaitUntil([&] {
        const std::wstring text = uidriver::Text(status);
        return text.size() >= dots.size() &&
               text.compare(text.size() - dots.size(), dots.size(), dots) == 0;
    });
}

void AwaitGoAhead() {
    char line[64];
    if (!fgets(line, sizeof line, stdin))
        return; // no one listens: go on at once
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: shotdriver SETUP.EXE\n");
        return 2;
    }
    const std::wstring exe = argv[1];
    uidriver::Process setup = uidriver::Process::Start(exe, exe.substr(0, exe.find_last_of(L'\\')));

    while (const auto window = setup.WaitForNextWindow(kWindowTimeoutMs)) {
        const std::string kind = Kind(*window);
        // As a user sees it: the new window active (without a window manager nobody else
        // activates it).
        SetForegroundWindow(window->hwnd);
        if (kind == "progress")
            WaitForDots(*window);
        const RECT r = uidriver::Snapshot(window->hwnd).rect;
        printf("%s %ld %ld %ld %ld\n", kind.c_str(), r.left, r.top, r.right - r.left,
               r.bottom - r.top);
        fflush(stdout);
        AwaitGoAhead();
        if (kind == "licence" || kind == "notice" || kind == "message")
            uidriver::Press(*window, IDOK);
        else if (kind == "other")
            uidriver::CloseBox(window->hwnd);
    }
    const auto code = setup.WaitExit(10000);
    printf("exit %ld\n", code ? long(*code) : -1L);
    return code ? 0 : 1;
}
