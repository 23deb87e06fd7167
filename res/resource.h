// Resource identifiers of Setup.exe, shared by the C++ sources and res/Setup.rc.
// Plain #defines only, so that windres can read this file as well as the compiler.
#pragma once

// Icon group
#define IDR_MAINFRAME 128

// Dialog templates
#define IDD_LICENSE_DIALOG 129
#define IDD_PROGRESS_DIALOG 133

// Controls (the buttons of the licence dialog are IDOK and IDCANCEL)
#define IDC_LICENSE_INFO 1000
#define IDC_LICENSE_TEXT 1001
#define IDC_LICENSE_QUESTION 1002
#define IDC_PROGRESS_TEXT 1005

// String table
#define IDS_APP_TITLE 1001
#define IDS_FONT_FACE 10001
#define IDS_FONT_SIZE 10002
#define IDS_YES 10101
#define IDS_NO 10102
#define IDS_LICENSE_CAPTION 11001
#define IDS_LICENSE_INFO 11002
#define IDS_LICENSE_QUESTION 11003
#define IDS_INSTALLING 12002
#define IDS_INSTALL_COMPLETED 21011
#define IDS_FILE_NOT_FOUND 21021
#define IDS_UNSUPPORTED_OS 21022
#define IDS_INSTALL_ERROR 21023
