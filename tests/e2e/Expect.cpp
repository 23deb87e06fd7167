#include "Expect.h"

#include <gtest/gtest.h>

namespace {

uidriver::Window ExpectBox(uidriver::Process& setup, const std::wstring& caption,
                           const std::wstring& text, const std::vector<std::wstring>& buttons,
                           bool press) {
    const auto box = setup.WaitForNextWindow();
    if (!box) {
        ADD_FAILURE() << "no window appeared";
        return {};
    }
    EXPECT_TRUE(box->IsMessageBox()) << "class " << testing::PrintToString(box->className);
    EXPECT_EQ(box->caption, caption);
    EXPECT_EQ(box->MessageText(), text);
    EXPECT_EQ(box->ButtonTexts(), buttons);
    if (press)
        uidriver::Press(*box, IDOK);
    return *box;
}

} // namespace

uidriver::Window ExpectErrorBox(uidriver::Process& setup, const std::wstring& caption,
                                const std::wstring& text, bool press) {
    return ExpectBox(setup, caption, text, {L"OK"}, press);
}

uidriver::Window ExpectCompletionBox(uidriver::Process& setup, const std::wstring& caption,
                                     const std::wstring& text) {
    return ExpectBox(setup, caption, text, {L"OK"}, true);
}

void ExpectEndsSilently(uidriver::Process& setup, DWORD exitCode) {
    const auto extra = setup.WaitForNextWindow();
    EXPECT_FALSE(extra) << "unexpected window "
                        << testing::PrintToString(extra ? extra->caption : L"");
    EXPECT_EQ(setup.WaitExit(), exitCode);
}
