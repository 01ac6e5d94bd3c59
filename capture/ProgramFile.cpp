#include "capture/ProgramFile.h"

#include <winsock2.h>
#include <windows.h>

CString GetProgramFilePath()
{
    // 32767 characters is the longest path the system has; a result that
    // fills the buffer may have been cut, so the buffer grows until it fits.
    CString path;
    for (DWORD nSize = MAX_PATH;; nSize *= 2) {
        const DWORD nLength =
            GetModuleFileNameA(nullptr, path.GetBuffer(static_cast<int>(nSize)), nSize);
        if (nLength == 0)
            return CString();
        if (nLength < nSize) {
            path.ReleaseBuffer();
            return path;
        }
        if (nSize > 32767)
            return CString();
    }
}
