// DLL planting: a DLL dropped beside the installer must not be loaded into it by name.
// Wine's own system DLLs never load look-alikes from the application folder, so the test
// looks from inside the process instead: the stand-in difxapi.dll, bound from the
// installer's folder, loads a DLL of ours that lies only there, once by its plain name
// (the process's DLL search decides) and once by its full path (it is a loadable DLL).

#include "Distribution.h"
#include "Expect.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace {

using uidriver::Process;

const std::wstring kTitle = L"ZEV Setup";

// The stand-in's probe lines, in the order of the plan.
std::vector<std::string> Probes(const std::vector<std::string>& calls) {
    std::vector<std::string> probes;
    std::copy_if(calls.begin(), calls.end(), std::back_inserter(probes),
                 [](const std::string& line) { return line.rfind("Probe ", 0) == 0; });
    return probes;
}

TEST(Hardening, DllBesideTheInstallerIsNotFoundByName) {
    Distribution dist;
    dist.WriteIni(L"[0x0000]\r\nTitle=" + kTitle +
                  L"\r\nLicenseFile=license_en.txt\r\n[Driver]\r\nInfFilename=device.inf\r\n");
    dist.WriteUnicodeText(L"license_en.txt", L"Licence");
    dist.WriteInf(L"device.inf");
    dist.CopyFromBuild(L"planted.dll");
    const std::string fullPath = Utf8(dist.Folder() + L"\\planted.dll");
    // The delay keeps the progress window up long enough to be seen.
    dist.PlanLibrary("probe planted.dll\nprobe " + fullPath + "\ndelay 500\n");
    Process setup = dist.Start();

    const auto licence = setup.WaitForNextWindow();
    ASSERT_TRUE(licence && licence->Find(IDC_LICENSE_TEXT));
    ASSERT_TRUE(uidriver::Press(*licence, IDOK));
    const auto progress = setup.WaitForNextWindow();
    ASSERT_TRUE(progress && IsProgressWindow(*progress));
    ExpectCompletionBox(setup, kTitle, L"Install completed.");
    ExpectEndsSilently(setup, ERROR_SUCCESS);

    // The record lies beside the installer: difxapi.dll itself is still bound from there.
    // By its full path the planted DLL loads; by its name alone the search must not find it.
    EXPECT_EQ(Probes(dist.LibraryCalls()),
              (std::vector<std::string>{"Probe planted.dll loaded=0",
                                        "Probe " + fullPath + " loaded=1"}));
    EXPECT_EQ(dist.PreinstalledPaths().size(), 1u);
}

} // namespace
