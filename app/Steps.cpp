// Steps still to come.
#include "InstallerApp.h"

int CTervaneApp::CheckOsVersion() {
    return 1;
}
int CTervaneApp::ConfirmLicense() {
    return 1;
}
int CTervaneApp::ShowNoticeFile() {
    return 1;
}
