// uiprobe.dll: loaded into the program under test by the driver's thread hook, it answers the
// driver's queries about state that only the owning process can read (see SystemMenu.h).
// Link with -Wl,--kill-at so that the 32-bit export keeps its plain name.

#include "ProbeProtocol.h"

extern "C" __declspec(dllexport) LRESULT CALLBACK
    UiProbeCallWndProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) {
        const auto& call = *reinterpret_cast<const CWPSTRUCT*>(lParam);
        // The reply goes straight to the sender; the window's own handling of the unknown
        // message no longer matters.
        if (call.message == uidriver::probe::QueryMessage() && InSendMessage())
            ReplyMessage(uidriver::probe::ReadCloseState(call.hwnd));
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
