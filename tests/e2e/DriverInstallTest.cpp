// Installing the configured driver packages through the driver-install library.

#include "Distribution.h"
#include "Expect.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using uidriver::Process;

const std::wstring kTitle = L"[0x0000]\r\nTitle=ZEV Setup\r\n";
const std::wstring kNotFound = L"File required for installing driver is not found.\r\n";

class DriverInstall : public testing::Test {
protected:
    // Runs the installer with this [Driver] section and the INFs named, up to the box
    // that ends the installation.
    Process Run(const std::wstring& driverSection, const std::vector<std::wstring>& infs) {
        dist_.WriteIni(kTitle + L"[Driver]\r\n" + driverSection);
        for (const std::wstring& inf : infs)
            dist_.WriteInf(inf);
        return dist_.Start();
    }
    std::wstring InFolder(const std::wstring& relative) const {
        return dist_.Folder() + L"\\" + relative;
    }

    Distribution dist_;
};

TEST_F(DriverInstall, HandsTheLibraryTheFullPathWithTheLogDiscarded) {
    Process setup = Run(L"InfFilename=x86\\device.inf\r\n", {L"x86\\device.inf"});
    ExpectCompletionBox(setup, L"ZEV Setup", L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
    // Relative to the installer's folder, though it was started from another one.
    EXPECT_EQ(dist_.LibraryCalls(),
              (std::vector<std::string>{"SetLogCallback set",
                                        "Preinstall flags=0x11 callback=1 path=" +
                                            Utf8(InFolder(L"x86\\device.inf")),
                                        "SetLogCallback clear"}));
}

struct ListCase {
    const char* name;
    std::wstring section;
    std::vector<std::wstring> installed;
};

void PrintTo(const ListCase& c, std::ostream* os) {
    *os << c.name;
}

class PackageList : public DriverInstall, public testing::WithParamInterface<ListCase> {};

TEST_P(PackageList, InstallsTheConfiguredPackagesInOrder) {
    Process setup = Run(GetParam().section, {L"a.inf", L"b.inf", L"c.inf"});
    ExpectCompletionBox(setup, L"ZEV Setup", L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
    std::vector<std::wstring> expected;
    for (const std::wstring& inf : GetParam().installed)
        expected.push_back(InFolder(inf));
    EXPECT_EQ(dist_.PreinstalledPaths(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, PackageList,
    testing::Values(
        ListCase{
            "SingleKeyWinsOverTheList", L"InfFilename1=a.inf\r\nInfFilename=c.inf\r\n", {L"c.inf"}},
        ListCase{"EmptySingleKeyUsesTheList",
                 L"InfFilename=\r\nInfFilename1=a.inf\r\nInfFilename2=b.inf\r\n",
                 {L"a.inf", L"b.inf"}},
        ListCase{"GapEndsTheList", L"InfFilename1=a.inf\r\nInfFilename3=c.inf\r\n", {L"a.inf"}},
        ListCase{"EmptyKeyEndsTheList",
                 L"InfFilename1=b.inf\r\nInfFilename2=\r\nInfFilename3=c.inf\r\n",
                 {L"b.inf"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(DriverInstall, NoPackageEndsWithoutAnyMessage) {
    Process setup = Run(L"InfFilename2=b.inf\r\n", {L"b.inf"});
    ExpectEndsSilently(setup, ERROR_BAD_CONFIGURATION);
    EXPECT_TRUE(dist_.LibraryCalls().empty());
}

TEST_F(DriverInstall, AlreadyInstalledCountsAsSuccess) {
    dist_.PlanLibrary("code 183\ncode 0\n");
    Process setup = Run(L"InfFilename1=a.inf\r\nInfFilename2=b.inf\r\n", {L"a.inf", L"b.inf"});
    ExpectCompletionBox(setup, L"ZEV Setup", L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);
    EXPECT_EQ(dist_.PreinstalledPaths().size(), 2u);
}

TEST_F(DriverInstall, RefusedPackageStopsTheWalkWithAnErrorOwnedByTheProgressWindow) {
    dist_.PlanLibrary("code 0\ncode 87\n");
    Process setup = Run(L"InfFilename1=a.inf\r\nInfFilename2=b.inf\r\nInfFilename3=c.inf\r\n",
                        {L"a.inf", L"b.inf", L"c.inf"});
    const uidriver::Window box = ExpectErrorBox(setup, L"ZEV Setup", L"Install error.", false);
    const uidriver::Window owner = uidriver::Snapshot(box.owner);
    EXPECT_TRUE(IsProgressWindow(owner));
    EXPECT_FALSE(owner.enabled) << "a box disables the window that owns it";
    EXPECT_TRUE(uidriver::Press(box, IDOK));
    ExpectEndsSilently(setup, ERROR_INSTALL_FAILURE);
    EXPECT_EQ(dist_.PreinstalledPaths(),
              (std::vector<std::wstring>{InFolder(L"a.inf"), InFolder(L"b.inf")}));
}

TEST_F(DriverInstall, MissingPackageIsReportedByNameAndStopsTheWalk) {
    Process setup =
        Run(L"InfFilename1=a.inf\r\nInfFilename2=x86\\missing.inf\r\nInfFilename3=c.inf\r\n",
            {L"a.inf", L"c.inf"});
    const uidriver::Window box =
        ExpectErrorBox(setup, L"ZEV Setup", kNotFound + L"\"missing.inf\"", false);
    EXPECT_TRUE(IsProgressWindow(uidriver::Snapshot(box.owner)));
    EXPECT_TRUE(uidriver::Press(box, IDOK));
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(dist_.PreinstalledPaths(), std::vector<std::wstring>{InFolder(L"a.inf")});
}

TEST_F(DriverInstall, FolderPassesTheExistenceTestAndGoesToTheLibrary) {
    dist_.PlanLibrary("code 2\n");
    CreateDirectoryW(InFolder(L"drivers.inf").c_str(), nullptr);
    Process setup = Run(L"InfFilename=drivers.inf\r\n", {});
    ExpectErrorBox(setup, L"ZEV Setup", L"Install error.");
    ExpectEndsSilently(setup, ERROR_INSTALL_FAILURE);
    EXPECT_EQ(dist_.PreinstalledPaths(), std::vector<std::wstring>{InFolder(L"drivers.inf")});
}

TEST_F(DriverInstall, PathTooLongForTheFullPathBufferIsNotFound) {
    // The full path gets the distribution folder in front: well past 260 characters.
    const std::wstring name = std::wstring(240, L'n') + L".inf";
    Process setup = Run(L"InfFilename=sub\\" + name + L"\r\n", {});
    ExpectErrorBox(setup, L"ZEV Setup", kNotFound + L"\"" + name + L"\"");
    ExpectEndsSilently(setup, ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(dist_.LibraryCalls().empty());
}

TEST_F(DriverInstall, ProgressWindowShowsWhileAPackageInstalls) {
    dist_.PlanLibrary("delay 1500\n");
    Process setup = Run(L"InfFilename=a.inf\r\n", {L"a.inf"});
    const auto progress = setup.WaitForNextWindow();
    ASSERT_TRUE(progress);
    ASSERT_TRUE(IsProgressWindow(*progress));
    EXPECT_EQ(progress->caption, L"ZEV Setup");
    EXPECT_EQ(progress->Find(IDC_PROGRESS_TEXT)->text.rfind(L"Installing driver", 0), 0u);
    EXPECT_EQ(progress->owner, nullptr);
    ExpectCompletionBox(setup, L"ZEV Setup", L"Install completed.");
    EXPECT_FALSE(IsWindow(progress->hwnd)) << "the progress window closes before the message";
    ExpectEndsSilently(setup, ERROR_SUCCESS);
}

} // namespace
