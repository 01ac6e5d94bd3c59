// CWinApp: the application object. Exactly one exists, built during static
// initialisation; the entry point runs its InitInstance.
#pragma once
#include "framework/AnsiString.h"
#include "framework/CmdTarget.h"

class CWnd;

class CWinApp : public CCmdTarget {
public:
    CWinApp();
    ~CWinApp() override;

    // Returning FALSE ends the program without an application message loop.
    virtual BOOL InitInstance();
    // The exit code of the process.
    virtual int ExitInstance();
    virtual int Run();
    // The user's session ends. Once the window that was told returns, the
    // system may end the process at any moment without its exit: what the
    // exit would write is to be written here.
    virtual void SaveForSessionEnd() {}

    // The framework's help command.
    void OnHelp();
    // Dialogs here host no ActiveX controls of their own; COM, which any
    // hosting needs, is initialised by the application itself.
    void EnableControlContainer() {}
    void SetRegistryKey(const char* key) { m_strRegistryKey = key; }

    HINSTANCE m_hInstance = nullptr;
    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName;  // the program file's name without extension
    CString m_strRegistryKey;
    int m_nExitCode = 0;  // what ExitInstance returns by default

protected:
    const MessageMap* GetMessageMap() const override;

private:
    friend int RunApplication(HINSTANCE instance);
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
// A message box captioned with the application's title.
int AfxMessageBox(const char* text, UINT type = MB_OK);

// The framework's entry: runs the application object.
int RunApplication(HINSTANCE instance);

// Identifiers of the framework's own commands.
constexpr UINT ID_HELP = 0xE146;  // 57670
