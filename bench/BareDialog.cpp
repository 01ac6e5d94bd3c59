// The least a program can do to show the main window's template: the
// system's own modal dialog box with no code behind its controls. It is what
// the start-up and memory figures of Velorix.exe are compared with.
#include <windows.h>

#include "res/resource.h"

namespace {

INT_PTR CALLBACK BareDialogProc(HWND dialog, UINT msg, WPARAM w, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(w) == IDOK || LOWORD(w) == IDCANCEL || LOWORD(w) == IDC_QUIT) {
            ::EndDialog(dialog, LOWORD(w));
            return TRUE;
        }
        return FALSE;
    case WM_CLOSE:
        ::EndDialog(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    return static_cast<int>(::DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_VELORIX_DIALOG),
                                              nullptr, &BareDialogProc, 0));
}
