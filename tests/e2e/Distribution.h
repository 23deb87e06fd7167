#pragma once
// A temporary driver distribution folder: the real Setup.exe (under any name) beside the
// stand-in driver-install library, with whatever configuration a test writes. The
// folder is removed again when the object goes.

#include "uidriver/UiDriver.h"

#include <string>
#include <vector>

class Distribution {
public:
    explicit Distribution(const std::wstring& exeName = L"Setup.exe");
    ~Distribution();
    Distribution(const Distribution&) = delete;
    Distribution& operator=(const Distribution&) = delete;

    const std::wstring& Folder() const { return folder_; }
    std::wstring Exe() const { return folder_ + L"\\" + exeName_; }
    // The configuration file beside the executable, as UTF-16LE with a byte-order mark.
    void WriteIni(const std::wstring& text) const;
    // A text file (licence, notice) as UTF-16LE with a byte-order mark.
    void WriteUnicodeText(const std::wstring& relativePath, const std::wstring& text) const;
    void WriteBytes(const std::wstring& relativePath, const std::string& bytes) const;
    // An INF stand-in: the library stand-in never reads it.
    void WriteInf(const std::wstring& relativePath) const;
    // A file of the build folder (BuildFolder), laid beside the installer.
    void CopyFromBuild(const std::wstring& fileName) const;
    // Renames the installer, and so the configuration file it reads.
    void RenameExe(const std::wstring& exeName);
    // Return codes and delay for the stand-in, e.g. "code 183\ndelay 1500\n".
    void PlanLibrary(const std::string& plan) const;
    // The stand-in's record of calls, one line each.
    std::vector<std::string> LibraryCalls() const;
    // Only the paths handed to the pre-install call, in order.
    std::vector<std::wstring> PreinstalledPaths() const;

    // Starts the installer from another folder than its own, as a user double-clicking it
    // from an Explorer window elsewhere would.
    uidriver::Process Start() const;

private:
    std::wstring folder_;
    std::wstring exeName_;
    std::wstring elsewhere_;
};

// Where Setup.exe and the stand-in come from: the folder of the test program, where the
// build puts them, or SETUP_BIN_DIR.
std::wstring BuildFolder();
std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);
