// Steps still to come.
#include "InstallerApp.h"

int CTervaneApp::ConfirmLicense() {
    return 1;
}
