// Proves the UI driver against uidemo.exe, whose windows and answers are known: what it reads
// across processes, that each kind of input reaches the program, and how a run ends.

#include "../UiDriver.h"
#include "UiDemo.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <ostream>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

namespace {

using namespace uidriver;
using namespace uidemo;

class DemoTest : public ::testing::Test {
protected:
    Process demo_ = Process::Start((ExecutableDirectory() / L"uidemo.exe").wstring(),
                                   ExecutableDirectory().wstring());

    // The demo's next window, which must bear caption.
    Window Next(const wchar_t* caption) {
        std::optional<Window> window = demo_.WaitForNextWindow();
        if (!window)
            throw std::runtime_error("the demo showed no further window");
        EXPECT_EQ(window->caption, caption);
        return *std::move(window);
    }
};

TEST_F(DemoTest, ReadsMessageBoxAcrossProcesses) {
    const Window box = Next(kBoxCaption);

    EXPECT_TRUE(box.IsMessageBox());
    EXPECT_EQ(box.MessageText(), kBoxText);
    EXPECT_EQ(box.ButtonTexts(), (std::vector<std::wstring>{L"OK", L"Cancel"}));
    EXPECT_EQ(box.owner, nullptr);
    EXPECT_TRUE(box.enabled);
    EXPECT_FALSE(IsSystemCloseGrayed(box.hwnd));

    // Reported once, and the hidden helper window never.
    EXPECT_FALSE(demo_.WaitForNextWindow(200).has_value());
    const std::vector<Window> visible = demo_.VisibleWindows();
    ASSERT_EQ(visible.size(), 1u);
    EXPECT_EQ(visible[0].hwnd, box.hwnd);
}

TEST_F(DemoTest, ReadsDialogOnSecondThread) {
    const Window box = Next(kBoxCaption);
    const DWORD boxThread = GetWindowThreadProcessId(box.hwnd, nullptr);
    ASSERT_TRUE(Press(box, IDOK));
    const Window dialog = Next(kDialogCaption);

    EXPECT_NE(GetWindowThreadProcessId(dialog.hwnd, nullptr), boxThread);
    EXPECT_EQ(dialog.className, L"#32770");
    EXPECT_FALSE(dialog.IsMessageBox());
    std::vector<int> ids;
    for (const Control& control : dialog.controls)
        ids.push_back(control.id);
    EXPECT_EQ(ids, (std::vector<int>{kLabelId, kEditId, IDOK, IDCANCEL}));

    const Control* const edit = dialog.Find(kEditId);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->text, kEditText);
    EXPECT_EQ(EditSelection(edit->hwnd), std::make_pair(kSelectionStart, kSelectionEnd));

    // DS_CENTER centres a dialog without owner in the work area.
    const RECT area = WorkArea();
    const RECT& rect = dialog.rect;
    EXPECT_NEAR(rect.left + rect.right, area.left + area.right, 2);
    EXPECT_NEAR(rect.top + rect.bottom, area.top + area.bottom, 2);
}

TEST_F(DemoTest, FollowsOwnedWindowsUntilTheEnd) {
    ASSERT_TRUE(Press(Next(kBoxCaption), IDOK));
    ASSERT_TRUE(SendKey(Next(kDialogCaption).hwnd, VK_RETURN));
    const Window owner = Next(kOwnerCaption);
    const Window owned = Next(kOwnedCaption);

    EXPECT_EQ(owner.owner, nullptr);
    EXPECT_EQ(owned.owner, owner.hwnd);
    EXPECT_TRUE(IsSystemCloseGrayed(owner.hwnd));
    EXPECT_FALSE(IsSystemCloseGrayed(owned.hwnd));
    // Had either of the first two posted, the demo would have ended with another exit code.
    EXPECT_FALSE(CloseBox(owner.hwnd));
    EXPECT_FALSE(Press(owned, kDisabledButtonId));
    EXPECT_FALSE(Press(owned, IDCANCEL)); // no such button

    // A snapshot shows the text as it is now.
    ASSERT_TRUE(Press(owned, kCountButtonId));
    EXPECT_TRUE(WaitUntil([&] {
        const Window now = Snapshot(owner.hwnd);
        const Control* const clicks = now.Find(kClicksTextId);
        return clicks && clicks->text == L"Clicks: 1";
    }));

    ASSERT_TRUE(CloseBox(owned.hwnd));
    EXPECT_FALSE(demo_.WaitForNextWindow().has_value());
    EXPECT_EQ(demo_.WaitExit(0), ExitCode(IDOK, IDOK, kClosedByCloseBox));
    EXPECT_TRUE(demo_.VisibleWindows().empty());
}

TEST_F(DemoTest, KillEndsTheProgram) {
    Next(kBoxCaption);
    demo_.Kill();
    EXPECT_EQ(demo_.WaitExit(0), Process::kKilledExitCode);
    EXPECT_FALSE(demo_.WaitForNextWindow().has_value());
}

TEST(ProcessTest, StartThrowsWhenTheProgramIsMissing) {
    const std::wstring missing = (ExecutableDirectory() / L"missing.exe").wstring();
    EXPECT_THROW(Process::Start(missing, ExecutableDirectory().wstring()), std::system_error);
}

// How one window of the demo is answered.
enum class Input { PressOk, PressCancel, Enter, Escape, CloseBox };
enum class Step { MessageBox, Dialog };

struct AnswerCase {
    const char* name;
    Step step; // the window answered with input; the other gets Press(IDOK)
    Input input;
    DWORD exitCode;
};

// Names the case in failure messages, which would otherwise show its bytes.
void PrintTo(const AnswerCase& answer, std::ostream* out) {
    *out << answer.name;
}

void Answer(const Window& window, Input input) {
    switch (input) {
    case Input::PressOk:
        ASSERT_TRUE(Press(window, IDOK));
        break;
    case Input::PressCancel:
        ASSERT_TRUE(Press(window, IDCANCEL));
        break;
    case Input::Enter:
        ASSERT_TRUE(SendKey(window.hwnd, VK_RETURN));
        break;
    case Input::Escape:
        ASSERT_TRUE(SendKey(window.hwnd, VK_ESCAPE));
        break;
    case Input::CloseBox:
        ASSERT_TRUE(CloseBox(window.hwnd));
        break;
    }
}

class AnswerTest : public DemoTest, public ::testing::WithParamInterface<AnswerCase> {};

TEST_P(AnswerTest, ReachesTheProgram) {
    const AnswerCase& answer = GetParam();
    const auto inputFor = [&](Step step) {
        return step == answer.step ? answer.input : Input::PressOk;
    };
    ASSERT_NO_FATAL_FAILURE(Answer(Next(kBoxCaption), inputFor(Step::MessageBox)));
    ASSERT_NO_FATAL_FAILURE(Answer(Next(kDialogCaption), inputFor(Step::Dialog)));
    Next(kOwnerCaption);
    ASSERT_TRUE(Press(Next(kOwnedCaption), IDOK));

    EXPECT_EQ(demo_.WaitExit(), answer.exitCode);
}

constexpr DWORD kAllOk = ExitCode(IDOK, IDOK, kClosedByDone);
constexpr DWORD kBoxCancelled = ExitCode(IDCANCEL, IDOK, kClosedByDone);
constexpr DWORD kDialogCancelled = ExitCode(IDOK, IDCANCEL, kClosedByDone);

INSTANTIATE_TEST_SUITE_P(
    Inputs, AnswerTest,
    ::testing::Values(
        AnswerCase{"PressOk", Step::MessageBox, Input::PressOk, kAllOk},
        AnswerCase{"BoxPressCancel", Step::MessageBox, Input::PressCancel, kBoxCancelled},
        AnswerCase{"BoxEnter", Step::MessageBox, Input::Enter, kAllOk},
        AnswerCase{"BoxEscape", Step::MessageBox, Input::Escape, kBoxCancelled},
        AnswerCase{"BoxCloseBox", Step::MessageBox, Input::CloseBox, kBoxCancelled},
        AnswerCase{"DialogPressCancel", Step::Dialog, Input::PressCancel, kDialogCancelled},
        AnswerCase{"DialogEnter", Step::Dialog, Input::Enter, kAllOk},
        AnswerCase{"DialogEscape", Step::Dialog, Input::Escape, kDialogCancelled},
        AnswerCase{"DialogCloseBox", Step::Dialog, Input::CloseBox, kDialogCancelled}),
    [](const ::testing::TestParamInfo<AnswerCase>& info) { return std::string(info.param.name); });

} // namespace
