#include "Expect.h"

#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>

namespace {

uidriver::Window ExpectBox(uidriver::Process& setup, const std::wstring& caption,
                           const std::wstring& text, const std::vector<std::wstring>& buttons,
                           bool press) {
    const auto box = NextBox(setup);
    if (!box) {
        ADD_FAILURE() << "no window appeared";
        return {};
    }
    EXPECT_TRUE(box->IsMessageBox()) << "class " << testing::PrintToString(box->className);
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->MessageText(), text);
    EXPECT_EQ(box->ButtonTexts(), buttons);
    if (press) {
        EXPECT_TRUE(uidriver::Press(*box, IDOK));
    }
    return *box;
}

} // namespace

bool IsProgressWindow(const uidriver::Window& window) {
    return window.Find(IDC_PROGRESS_TEXT) &&
           std::none_of(window.controls.begin(), window.controls.end(),
                        [](const uidriver::Control& c) {
                            return _wcsicmp(c.className.c_str(), L"Button") == 0;
                        });
}

std::optional<uidriver::Window> NextBox(uidriver::Process& setup, DWORD timeoutMs) {
    for (;;) {
        const auto window = setup.WaitForNextWindow(timeoutMs);
        if (!window)
            return window;
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window->hwnd, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored);
        if (!IsProgressWindow(*window))
            return uidriver::Snapshot(window->hwnd);
    }
}

uidriver::Window ExpectErrorBox(uidriver::Process& setup, const std::wstring& caption,
                                const std::wstring& text, bool press) {
    return ExpectBox(setup, caption, text, {L"OK"}, press);
}

uidriver::Window ExpectCompletionBox(uidriver::Process& setup, const std::wstring& caption,
                                     const std::wstring& text) {
    return ExpectBox(setup, caption, text, {L"OK"}, true);
}

void ExpectEndsSilently(uidriver::Process& setup, DWORD exitCode) {
    const auto extra = NextBox(setup);
    EXPECT_FALSE(extra) << "unexpected window "
                        << testing::PrintToString(extra ? extra->caption : L"");
    EXPECT_EQ(setup.WaitExit(), exitCode);
}
