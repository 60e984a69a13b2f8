// The floor for start-up: shows the main window's template, with the same
// manifest and resources, and does nothing else. Built a second time with
// WITH_ADDRESS_QUERIES, it also asks for the two addresses the main window
// shows, as every start must.
#include <windows.h>
#include "resource.h"
#ifdef WITH_ADDRESS_QUERIES
#include "netinfo/NetInfo.h"
#endif

namespace {
INT_PTR CALLBACK FloorProc(HWND window, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG) {
#ifdef WITH_ADDRESS_QUERIES
        HostAddressBuffer host = {};
        HardwareAddressBuffer hardware = {};
        QueryHostAddress(host);
        CollectAdapterAddress(hardware);
#endif
        return TRUE;
    }
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(window, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_PELORIN_DIALOG), nullptr, FloorProc, 0);
    return 0;
}
