#include "app/InstallerApp.h"

#include "TempPath.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

// An application object reading a configuration file written by the test. The unit
// tests run with the system language English (United States), section 0x0409.
class Settings : public testing::Test {
protected:
    void SetUp() override {
        path_ = UniqueTempPath(L".ini");
        app_.SetProfileName(path_);
    }
    void TearDown() override { DeleteFileW(path_.c_str()); }

    // Written as UTF-16LE with a byte-order mark, which the profile reader accepts.
    void Write(const std::wstring& text) const {
        FILE* file = _wfopen(path_.c_str(), L"wb");
        ASSERT_NE(file, nullptr);
        const wchar_t bom = 0xFEFF;
        fwrite(&bom, sizeof bom, 1, file);
        fwrite(text.data(), sizeof(wchar_t), text.size(), file);
        fclose(file);
    }

    std::wstring path_;
    CTervaneApp app_;
};

TEST_F(Settings, LanguageSectionWinsKeyByKey) {
    Write(L"[0x0000]\r\nTitle=USB Driver Setup\r\nLicenseFile=license_en.txt\r\n"
          L"[0x0409]\r\nLicenseFile=license_us.txt\r\nMessageFile=\r\n"
          L"[0x0000]\r\nMessageFile=notice.txt\r\n");
    EXPECT_EQ(app_.GetLocalizedProfileString(L"Title"), L"USB Driver Setup");
    EXPECT_EQ(app_.GetLocalizedProfileString(L"LicenseFile"), L"license_us.txt");
    // Present but empty in the language section: no fallback.
    EXPECT_EQ(app_.GetLocalizedProfileString(L"MessageFile"), L"");
    EXPECT_EQ(app_.GetLocalizedProfileString(L"Missing"), L"");
}

TEST_F(Settings, OtherLanguagesAreNotConsulted) {
    Write(L"[0x0809]\r\nTitle=British\r\n[0x0411]\r\nTitle=Japanese\r\n[0x0000]\r\nTitle="
          L"Default\r\n");
    EXPECT_EQ(app_.GetLocalizedProfileString(L"Title"), L"Default");
}

TEST_F(Settings, ValuesLoseQuotesAndSurroundingBlanks) {
    Write(L"[Driver]\r\nA=  \"x86\\device.inf\"  \r\nB='quoted'\r\nC=  spaced out  \r\n"
          L"inffilename1=lower\r\n");
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"A"), L"x86\\device.inf");
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"B"), L"quoted");
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"C"), L"spaced out");
    EXPECT_EQ(app_.GetProfileString(L"driver", L"InfFilename1"), L"lower");
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"D", L"fallback"), L"fallback");
}

TEST_F(Settings, LongValuesAreCutTo4095Characters) {
    const std::wstring value(5000, L'v');
    Write(L"[Driver]\r\nInfFilename=" + value + L"\r\n");
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"InfFilename"), value.substr(0, 4095));
}

TEST_F(Settings, MissingFileGivesDefaults) {
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"InfFilename"), L"");
    EXPECT_EQ(app_.GetProfileString(L"Driver", L"InfFilename", L"d"), L"d");
}

TEST(AppBuffers, TitleIsCutToFitAndReplacementsFreeTheOld) {
    CTervaneApp app;
    app.SetAppName(std::wstring(300, L't'));
    EXPECT_EQ(std::wstring(app.m_pszAppName.get()), std::wstring(259, L't'));
    app.SetAppName(L"");
    EXPECT_EQ(std::wstring(app.m_pszAppName.get()), L"");
    app.SetProfileName(L"C:\\a.ini");
    EXPECT_EQ(std::wstring(app.m_pszProfileName.get()), L"C:\\a.ini");
}

} // namespace
