// The one application object; the entry point runs it.

#include "InstallerApp.h"

CTervaneApp theApp;
