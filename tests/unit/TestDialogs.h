// Identifiers of the test-only dialog template in TestDialogs.rc, apart from those of
// res/resource.h. Plain #defines only, so that windres can read this file too.
#pragma once

#define IDD_TEST_CONTROL_TEXTS 900

#define IDC_TEST_LABEL 9001
#define IDC_TEST_FONT_ONLY 9002
#define IDC_TEST_COMBO 9003
#define IDC_TEST_EMPTY_COMBO 9004
#define IDC_TEST_PLAIN_COMBO 9005
#define IDC_TEST_AFTER_MISSING 9006
// A control that the template lacks.
#define IDC_TEST_MISSING 9099
