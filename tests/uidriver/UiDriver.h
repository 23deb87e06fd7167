#pragma once
// The UI driver for end-to-end tests: starts the program under test and drives its windows the
// way a user would, from another process.
//
//   Window.h      Control, Window, Snapshot, Text, EditSelection, WorkArea
//   Process.h     Process (start, windows as they appear, exit), ExecutableDirectory
//   Input.h       Press, SendKey, CloseBox
//   SystemMenu.h  IsSystemCloseGrayed (needs uiprobe.dll beside the test executable)
//   Wait.h        WaitUntil, for changes that posted input causes

#include "Input.h"
#include "Process.h"
#include "SystemMenu.h"
#include "Wait.h"
#include "Window.h"
