// Bad input beside the installer, end to end: overlong paths, odd names and encodings,
// quotes and blanks, duplicate entries, huge and odd-sized texts, a long package list, a
// long installer path. Each case runs the installer once and checks every window the
// user meets, in order, and how the installer ends: never a hang, never a crash.

#include "Distribution.h"
#include "Expect.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace {

using uidriver::Process;

const std::wstring kTitle = L"ZEV Setup";
const std::wstring kNotFound = L"File required for installing driver is not found.\r\n";

// A window that the user meets, answered as a user who goes on would: Yes, OK, OK.
struct Screen {
    enum class Kind { Licence, Notice, Error, Completion };
    Kind kind;
    std::wstring text;
    // A box far taller than the screen shows none of its buttons; Enter still answers it.
    bool pressEnter = false;
};

Screen Licence(std::wstring text) {
    return {Screen::Kind::Licence, std::move(text)};
}
Screen Notice(std::wstring text) {
    return {Screen::Kind::Notice, std::move(text)};
}
Screen NoticeTallerThanTheScreen(std::wstring text) {
    return {Screen::Kind::Notice, std::move(text), true};
}
Screen NotFound(const std::wstring& name) {
    return {Screen::Kind::Error, kNotFound + L"\"" + name + L"\""};
}
const Screen kCompleted{Screen::Kind::Completion, L"Install completed."};

// What one run must look like.
struct Outcome {
    std::vector<Screen> screens;
    DWORD exitCode = ERROR_SUCCESS;
    std::vector<std::wstring> installed; // full paths, in order
    std::wstring caption = kTitle;
};

// Texts of up to megabytes: a mismatch is reported by where it starts, not printed whole.
testing::AssertionResult SameText(const std::wstring& actual, const std::wstring& expected) {
    if (actual == expected)
        return testing::AssertionSuccess();
    size_t at = 0;
    while (at < actual.size() && at < expected.size() && actual[at] == expected[at])
        ++at;
    return testing::AssertionFailure()
           << "texts of " << actual.size() << " and " << expected.size()
           << " characters differ from character " << at << ": "
           << testing::PrintToString(actual.substr(at, 40)) << " instead of "
           << testing::PrintToString(expected.substr(at, 40));
}

// Texts of megabytes and a thousand packages take a while on a busy machine: a safety net
// for each window, longer than the driver's usual one.
constexpr DWORD kWindowTimeoutMs = 60000;

void ExpectScreen(Process& setup, const std::wstring& caption, const Screen& screen) {
    const auto window = NextBox(setup, kWindowTimeoutMs);
    ASSERT_TRUE(window) << "no window appeared";
    EXPECT_EQ(window->caption, caption);
    if (screen.kind == Screen::Kind::Licence) {
        const uidriver::Control* const text = window->Find(IDC_LICENSE_TEXT);
        ASSERT_TRUE(text) << "not the licence dialog";
        EXPECT_TRUE(SameText(text->text, screen.text));
        EXPECT_TRUE(uidriver::Press(*window, IDOK));
        return;
    }
    ASSERT_TRUE(window->IsMessageBox());
    EXPECT_TRUE(SameText(window->MessageText(), screen.text));
    const std::vector<std::wstring> buttons = screen.kind == Screen::Kind::Notice
                                                  ? std::vector<std::wstring>{L"OK", L"Cancel"}
                                                  : std::vector<std::wstring>{L"OK"};
    EXPECT_EQ(window->ButtonTexts(), buttons);
    EXPECT_TRUE(screen.pressEnter ? uidriver::SendKey(window->hwnd, VK_RETURN)
                                  : uidriver::Press(*window, IDOK));
}

void ExpectRun(const Distribution& dist, const Outcome& expected) {
    Process setup = dist.Start();
    for (const Screen& screen : expected.screens)
        ASSERT_NO_FATAL_FAILURE(ExpectScreen(setup, expected.caption, screen));
    ExpectEndsSilently(setup, expected.exitCode);
    EXPECT_EQ(dist.PreinstalledPaths(), expected.installed);
}

std::wstring InFolder(const Distribution& dist, const std::wstring& relative) {
    return dist.Folder() + L"\\" + relative;
}

// Writes the configuration: [0x0000] with the title and these lines, [Driver] with those.
void Configure(const Distribution& dist, const std::wstring& languageLines,
               const std::wstring& driverLines) {
    dist.WriteIni(L"[0x0000]\r\nTitle=" + kTitle + L"\r\n" + languageLines + L"[Driver]\r\n" +
                  driverLines);
}

// A path below the distribution folder whose absolute form has length characters: a folder
// part of 240 characters, so that the name shows in messages, then stem padded with "_"
// and the extension. Relative to the distribution folder.
std::wstring RelativePathOfLength(const Distribution& dist, size_t length, const std::wstring& stem,
                                  const std::wstring& ext) {
    constexpr size_t kFolderPartChars = 240;
    constexpr size_t kComponentChars = 100; // far below what any file system takes
    std::wstring relative;
    size_t folderPart = dist.Folder().size() + 1;
    while (folderPart < kFolderPartChars) {
        const size_t component = std::min(kComponentChars, kFolderPartChars - folderPart - 1);
        relative += std::wstring(component, L'd') + L"\\";
        folderPart += component + 1;
    }
    const size_t nameChars = length - folderPart;
    relative += stem + std::wstring(nameChars - stem.size() - ext.size(), L'_') + ext;
    return relative;
}

// The file name and extension of a relative path, as the not-found message shows it.
std::wstring NameOf(const std::wstring& path) {
    return path.substr(path.find_last_of(L'\\') + 1);
}

struct BadInputCase {
    const char* name;
    // Writes the distribution folder; returns what the user must see.
    std::function<Outcome(Distribution&)> prepare;
};

void PrintTo(const BadInputCase& c, std::ostream* os) {
    *os << c.name;
}

class BadInput : public testing::TestWithParam<BadInputCase> {};

TEST_P(BadInput, IsHandledWithoutHangOrCrash) {
    Distribution dist;
    const Outcome expected = GetParam().prepare(dist);
    ExpectRun(dist, expected);
}

const std::wstring kLicenceText = L"Licence terms.";
const std::wstring kNoticeText = L"Unplug the device now.";

// Licence, notice and INF at absolute paths of 259 characters, then an INF at 260: the
// full-path buffer holds 259 characters and a terminator.
Outcome PathsOf259And260(Distribution& dist) {
    const std::wstring licence = RelativePathOfLength(dist, 259, L"licence", L".txt");
    const std::wstring notice = RelativePathOfLength(dist, 259, L"notice", L".txt");
    const std::wstring fits = RelativePathOfLength(dist, 259, L"fits", L".inf");
    const std::wstring tooLong = RelativePathOfLength(dist, 260, L"toolong", L".inf");
    dist.WriteUnicodeText(licence, kLicenceText);
    dist.WriteUnicodeText(notice, kNoticeText);
    dist.WriteInf(fits);
    dist.WriteInf(tooLong);
    Configure(dist,
              L"LicenseFile=" + InFolder(dist, licence) + L"\r\nMessageFile=" +
                  InFolder(dist, notice) + L"\r\n",
              L"InfFilename1=" + InFolder(dist, fits) + L"\r\nInfFilename2=" +
                  InFolder(dist, tooLong) + L"\r\n");
    return {{Licence(kLicenceText), Notice(kNoticeText), NotFound(NameOf(tooLong))},
            ERROR_FILE_NOT_FOUND,
            {InFolder(dist, fits)}};
}

// The licence and notice are opened by their paths as configured, through no buffer of the
// program's own, so the system decides; Wine takes these. The INF must fit the full-path
// buffer.
Outcome PathsOf260And261(Distribution& dist) {
    const std::wstring licence = RelativePathOfLength(dist, 260, L"licence", L".txt");
    const std::wstring notice = RelativePathOfLength(dist, 261, L"notice", L".txt");
    const std::wstring inf = RelativePathOfLength(dist, 261, L"device", L".inf");
    dist.WriteUnicodeText(licence, kLicenceText);
    dist.WriteUnicodeText(notice, kNoticeText);
    dist.WriteInf(inf);
    Configure(dist,
              L"LicenseFile=" + InFolder(dist, licence) + L"\r\nMessageFile=" +
                  InFolder(dist, notice) + L"\r\n",
              L"InfFilename=" + InFolder(dist, inf) + L"\r\n");
    return {{Licence(kLicenceText), Notice(kNoticeText), NotFound(NameOf(inf))},
            ERROR_FILE_NOT_FOUND,
            {}};
}

Outcome PathsOf261And260AndAnInfOf4095(Distribution& dist) {
    const std::wstring licence = RelativePathOfLength(dist, 261, L"licence", L".txt");
    const std::wstring notice = RelativePathOfLength(dist, 260, L"notice", L".txt");
    dist.WriteUnicodeText(licence, kLicenceText);
    dist.WriteUnicodeText(notice, kNoticeText);
    // A name of 3855 characters: no file system holds it, and it is too long to show.
    Configure(dist,
              L"LicenseFile=" + InFolder(dist, licence) + L"\r\nMessageFile=" +
                  InFolder(dist, notice) + L"\r\n",
              L"InfFilename=" +
                  InFolder(dist, RelativePathOfLength(dist, 4095, L"device", L".inf")) + L"\r\n");
    return {{Licence(kLicenceText), Notice(kNoticeText), NotFound(L"")}, ERROR_FILE_NOT_FOUND, {}};
}

Outcome LicencePathOf4095(Distribution& dist) {
    Configure(dist,
              L"LicenseFile=" +
                  InFolder(dist, RelativePathOfLength(dist, 4095, L"licence", L".txt")) + L"\r\n",
              L"InfFilename=device.inf\r\n");
    dist.WriteInf(L"device.inf");
    return {{NotFound(L"")}, ERROR_FILE_NOT_FOUND, {}};
}

Outcome NoticePathOf4095(Distribution& dist) {
    Configure(dist,
              L"MessageFile=" +
                  InFolder(dist, RelativePathOfLength(dist, 4095, L"notice", L".txt")) + L"\r\n",
              L"InfFilename=device.inf\r\n");
    dist.WriteInf(L"device.inf");
    return {{NotFound(L"")}, ERROR_FILE_NOT_FOUND, {}};
}

// "%1" and "%" are shown as they are, never taken as inserts; Japanese names come through
// the UTF-16LE configuration file (with its byte-order mark) unchanged. A double quotation
// mark cannot be part of a file name: the last package is never found, and the message
// shows its name as configured.
Outcome NamesWithPercentQuotesAndJapaneseInAUtf16Ini(Distribution& dist) {
    const std::vector<std::wstring> infs = {L"%1.inf", L"100%.inf", L"ドライバ 'x64'.inf"};
    dist.WriteUnicodeText(L"ライセンス %1.txt", L"使用許諾 %1 100%");
    dist.WriteUnicodeText(L"お知らせ 'ご注意' 100%.txt", L"%1 お知らせ");
    for (const std::wstring& inf : infs)
        dist.WriteInf(inf);
    Configure(dist, L"LicenseFile=ライセンス %1.txt\r\nMessageFile=お知らせ 'ご注意' 100%.txt\r\n",
              L"InfFilename1=%1.inf\r\nInfFilename2=100%.inf\r\nInfFilename3=ドライバ 'x64'.inf\r\n"
              L"InfFilename4=x64\\\"%1\" 100% ドライバ.inf\r\n");
    return {{Licence(L"使用許諾 %1 100%"), Notice(L"%1 お知らせ"),
             NotFound(L"\"%1\" 100% ドライバ.inf")},
            ERROR_FILE_NOT_FOUND,
            {InFolder(dist, infs[0]), InFolder(dist, infs[1]), InFolder(dist, infs[2])}};
}

const std::string kUtf8Configuration = "[0x0000]\r\nTitle=日本語のタイトル\r\n"
                                       "LicenseFile=ライセンス.txt\r\n[Driver]\r\n"
                                       "InfFilename=device.inf\r\n";

// UTF-8 with a byte-order mark: the profile reader decodes it as UTF-8.
Outcome Utf8IniWithByteOrderMark(Distribution& dist) {
    dist.WriteBytes(L"Setup.ini", "\xEF\xBB\xBF" + kUtf8Configuration);
    dist.WriteUnicodeText(L"ライセンス.txt", kLicenceText);
    dist.WriteInf(L"device.inf");
    Outcome outcome{
        {Licence(kLicenceText), kCompleted}, ERROR_SUCCESS, {InFolder(dist, L"device.inf")}};
    outcome.caption = L"日本語のタイトル";
    return outcome;
}

std::wstring InAnsiCodePage(const std::string& bytes) {
    std::wstring text(bytes.size(), L'\0');
    text.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, bytes.data(),
                                                        static_cast<int>(bytes.size()), text.data(),
                                                        static_cast<int>(text.size()))));
    return text;
}

// UTF-8 without the mark is read in the system's code page, like any ANSI file: ASCII keys
// and paths work, other text turns into that code page's characters, so the Japanese
// licence name names no file.
Outcome Utf8IniWithoutByteOrderMark(Distribution& dist) {
    dist.WriteBytes(L"Setup.ini", kUtf8Configuration);
    dist.WriteUnicodeText(L"ライセンス.txt", kLicenceText);
    dist.WriteInf(L"device.inf");
    Outcome outcome{{NotFound(InAnsiCodePage("ライセンス.txt"))}, ERROR_FILE_NOT_FOUND, {}};
    outcome.caption = InAnsiCodePage("日本語のタイトル");
    return outcome;
}

// Blanks around keys and values go, and so does one pair of enclosing quotes. Blanks
// inside the quotes stay, except at the end of a value that comes from [0x0000]: that one
// reaches the language lookup as the profile reader's default, and the reader drops
// trailing blanks from a default. A quote without its partner stays part of the value.
Outcome QuotesAndBlanksAroundValues(Distribution& dist) {
    dist.WriteIni(L"[0x0000]\r\n  Title  =   \"  Quoted  title  \"   \r\n"
                  L"LicenseFile=  'license_en.txt'  \r\nMessageFile=\t\"notice.txt\"\t\r\n"
                  L"[Driver]\r\nInfFilename=\"\"\r\nInfFilename1 =  \"a.inf\"  \r\n"
                  L"InfFilename2='b.inf'\r\nInfFilename3=\"c.inf\r\n");
    dist.WriteUnicodeText(L"license_en.txt", kLicenceText);
    dist.WriteUnicodeText(L"notice.txt", kNoticeText);
    dist.WriteInf(L"a.inf");
    dist.WriteInf(L"b.inf");
    dist.WriteInf(L"c.inf");
    Outcome outcome{{Licence(kLicenceText), Notice(kNoticeText), NotFound(L"\"c.inf")},
                    ERROR_FILE_NOT_FOUND,
                    {InFolder(dist, L"a.inf"), InFolder(dist, L"b.inf")}};
    outcome.caption = L"  Quoted  title";
    return outcome;
}

// The first section of a name and the first key of a name count; later ones are not read.
Outcome DuplicateSectionsAndKeys(Distribution& dist) {
    dist.WriteIni(L"[0x0000]\r\nTitle=" + kTitle +
                  L"\r\nTitle=Second title\r\n[Driver]\r\nInfFilename1=a.inf\r\n"
                  L"InfFilename1=b.inf\r\n[0x0000]\r\nLicenseFile=license_en.txt\r\n"
                  L"[Driver]\r\nInfFilename2=c.inf\r\n");
    dist.WriteUnicodeText(L"license_en.txt", kLicenceText);
    dist.WriteInf(L"a.inf");
    dist.WriteInf(L"b.inf");
    dist.WriteInf(L"c.inf");
    return {{kCompleted}, ERROR_SUCCESS, {InFolder(dist, L"a.inf")}};
}

// A folder bears the configuration file's name: it counts as the file, and every lookup
// gives its default: no title, no licence, no notice, no package, so no message either.
Outcome IniThatIsAFolder(Distribution& dist) {
    CreateDirectoryW(InFolder(dist, L"Setup.ini").c_str(), nullptr);
    dist.WriteInf(L"device.inf");
    Outcome outcome{{}, ERROR_BAD_CONFIGURATION, {}};
    outcome.caption = L"";
    return outcome;
}

// 20 MB each, in lines as a licence has them.
std::wstring TwentyMegabyteText(const wchar_t* what) {
    const size_t chars = 10 * 1024 * 1024 - 1; // 20 MB with the byte-order mark
    std::wstring text;
    text.reserve(chars + 100);
    for (int line = 1; text.size() < chars; ++line)
        text += std::wstring(what) + L" clause " + std::to_wstring(line) +
                L": every line of this text must be shown in full.\r\n";
    text.resize(chars);
    return text;
}

// The licence is of odd length too: its last byte becomes the low byte of a final character.
Outcome TwentyMegabyteLicenceOfOddLengthAndNotice(Distribution& dist) {
    const std::wstring licence = TwentyMegabyteText(L"Licence");
    const std::wstring notice = TwentyMegabyteText(L"Notice");
    dist.WriteUnicodeText(L"license_en.txt", licence);
    std::ofstream(InFolder(dist, L"license_en.txt").c_str(), std::ios::binary | std::ios::app)
        << '!';
    dist.WriteUnicodeText(L"notice.txt", notice);
    dist.WriteInf(L"device.inf");
    Configure(dist, L"LicenseFile=license_en.txt\r\nMessageFile=notice.txt\r\n",
              L"InfFilename=device.inf\r\n");
    return {{Licence(licence + L"!"), NoticeTallerThanTheScreen(notice), kCompleted},
            ERROR_SUCCESS,
            {InFolder(dist, L"device.inf")}};
}

Outcome ThousandPackages(Distribution& dist) {
    std::wstring keys;
    std::vector<std::wstring> installed;
    for (int n = 1; n <= 1000; ++n) {
        const std::wstring inf = L"pkg" + std::to_wstring(n) + L".inf";
        keys += L"InfFilename" + std::to_wstring(n) + L"=" + inf + L"\r\n";
        dist.WriteInf(inf);
        installed.push_back(InFolder(dist, inf));
    }
    Configure(dist, L"", keys);
    return {{kCompleted}, ERROR_SUCCESS, installed};
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadInput,
    testing::Values(BadInputCase{"PathsOf259And260", PathsOf259And260},
                    BadInputCase{"PathsOf260And261", PathsOf260And261},
                    BadInputCase{"PathsOf261And260AndAnInfOf4095", PathsOf261And260AndAnInfOf4095},
                    BadInputCase{"LicencePathOf4095", LicencePathOf4095},
                    BadInputCase{"NoticePathOf4095", NoticePathOf4095},
                    BadInputCase{"NamesWithPercentQuotesAndJapaneseInAUtf16Ini",
                                 NamesWithPercentQuotesAndJapaneseInAUtf16Ini},
                    BadInputCase{"Utf8IniWithByteOrderMark", Utf8IniWithByteOrderMark},
                    BadInputCase{"Utf8IniWithoutByteOrderMark", Utf8IniWithoutByteOrderMark},
                    BadInputCase{"QuotesAndBlanksAroundValues", QuotesAndBlanksAroundValues},
                    BadInputCase{"DuplicateSectionsAndKeys", DuplicateSectionsAndKeys},
                    BadInputCase{"IniThatIsAFolder", IniThatIsAFolder},
                    BadInputCase{"TwentyMegabyteLicenceOfOddLengthAndNotice",
                                 TwentyMegabyteLicenceOfOddLengthAndNotice},
                    BadInputCase{"ThousandPackages", ThousandPackages}),
    [](const auto& info) { return std::string(info.param.name); });

// The temporary folder of this process moved deep down while the object lives, so that
// a distribution folder made meanwhile has a long path.
class DeepTempFolder {
public:
    // The new temporary folder's path has chars characters.
    explicit DeepTempFolder(size_t chars) {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        root_ = std::wstring(temp) + L"deep";
        std::wstring folder = root_;
        while (folder.size() + 1 < chars)
            folder += L"\\" + std::wstring(std::min<size_t>(100, chars - folder.size() - 1), L'd');
        folder.resize(chars, L'd');
        std::filesystem::create_directories(folder);
        const DWORD length = GetEnvironmentVariableW(L"TMP", temp, MAX_PATH);
        if (length > 0 && length < MAX_PATH)
            previous_ = temp;
        SetEnvironmentVariableW(L"TMP", folder.c_str());
    }
    ~DeepTempFolder() {
        SetEnvironmentVariableW(L"TMP", previous_ ? previous_->c_str() : nullptr);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    DeepTempFolder(const DeepTempFolder&) = delete;
    DeepTempFolder& operator=(const DeepTempFolder&) = delete;

private:
    std::wstring root_;
    std::optional<std::wstring> previous_;
};

struct ExecutableRow {
    const char* what;
    size_t tempFolderChars; // 0: the usual temporary folder
    size_t exeChars;
    const wchar_t* ext;
    bool runs; // otherwise it reports its configuration file as not found
};

// Paths of the executable near the limit. Its configuration path has the same length when
// its extension has four characters; one that does not fit is reported as not found.
const ExecutableRow kExecutables[] = {
    {"long name, path of 259", 0, 259, L".exe", true},
    {"deep folder, path of 259", 232, 259, L".exe", true},
    {"short extension, configuration path of 260", 0, 258, L".x", false},
    {"path of 260", 0, 260, L".exe", false},
};

TEST(BadInputExecutable, PathNearTheLimit) {
    for (const ExecutableRow& row : kExecutables) {
        SCOPED_TRACE(row.what);
        std::optional<DeepTempFolder> temp;
        if (row.tempFolderChars)
            temp.emplace(row.tempFolderChars);
        Distribution dist;
        const std::wstring stem(row.exeChars - dist.Folder().size() - 1 - wcslen(row.ext), L's');
        dist.RenameExe(stem + row.ext);
        ASSERT_EQ(dist.Exe().size(), row.exeChars);
        ASSERT_GE(dist.Folder().size(), row.tempFolderChars);
        dist.WriteIni(L"[0x0000]\r\nTitle=" + kTitle + L"\r\n[Driver]\r\nInfFilename=d.inf\r\n");
        dist.WriteInf(L"d.inf");

        Outcome expected{{kCompleted}, ERROR_SUCCESS, {InFolder(dist, L"d.inf")}};
        if (!row.runs)
            expected = {{NotFound(stem + L".ini")}, ERROR_FILE_NOT_FOUND, {}, L"Driver installer"};
        try {
            ExpectRun(dist, expected);
        } catch (const std::system_error&) {
            // Wine starts no program whose path has 260 characters or more.
            EXPECT_GE(row.exeChars, size_t{MAX_PATH}) << "the system refused to start it";
            EXPECT_TRUE(dist.LibraryCalls().empty());
        }
    }
}

} // namespace
