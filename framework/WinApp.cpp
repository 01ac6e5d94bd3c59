#include "framework/WinApp.h"

#include "framework/Exception.h"
#include "framework/Wnd.h"

namespace {

// Constant-initialised, so it is valid before any constructor runs.
CWinApp* g_pApplication = nullptr;

}  // namespace

CWinApp::CWinApp()
{
    g_pApplication = this;
}

CWinApp::~CWinApp()
{
    if (g_pApplication == this)
        g_pApplication = nullptr;
}

const MessageMap* CWinApp::GetMessageMap() const
{
    static const MessageMap map(CCmdTarget::GetMessageMap());
    return &map;
}

BOOL CWinApp::InitInstance()
{
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return m_nExitCode;
}

int CWinApp::Run()
{
    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    m_nExitCode = static_cast<int>(msg.wParam);
    return ExitInstance();
}

void CWinApp::OnHelp()
{
    // The program has no help content of its own.
}

CWinApp* AfxGetApp()
{
    return g_pApplication;
}

CWnd* AfxGetMainWnd()
{
    return g_pApplication ? g_pApplication->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle()
{
    return g_pApplication && g_pApplication->m_hInstance ? g_pApplication->m_hInstance
                                                         : ::GetModuleHandleA(nullptr);
}

int AfxMessageBox(const char* text, UINT type)
{
    CWnd* main = AfxGetMainWnd();
    HWND owner = main && main->IsWindow() ? main->m_hWnd : nullptr;
    const char* caption = g_pApplication ? g_pApplication->m_strAppName.c_str() : "";
    return ::MessageBoxA(owner, text, caption, type);
}

int RunApplication(HINSTANCE instance)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return -1;
    app->m_hInstance = instance;

    char path[MAX_PATH] = "";
    const DWORD length = ::GetModuleFileNameA(nullptr, path, sizeof path);
    if (length > 0 && length < sizeof path) {
        const char* name = path;
        for (const char* p = path; *p; ++p)
            if (*p == '\\' || *p == '/')
                name = p + 1;
        CString title(name);
        const int dot = title.Find(".");
        app->m_strAppName = dot >= 0 ? title.Left(dot) : title;
    }

    try {
        if (!app->InitInstance())
            return app->ExitInstance();
        return app->Run();
    } catch (...) {
        TraceCaughtException("the application's run");
        return -1;
    }
}
