#pragma once

#include "framework/Wnd.h"

// Gives the dialog the program's icon as its small (caption) icon; the large one stays unset.
void SetSmallIcon(CWnd& dialog);
