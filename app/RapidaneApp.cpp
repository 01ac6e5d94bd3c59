#include "app/RapidaneApp.h"

#include <objbase.h>

#include "app/OneCopyPerSession.h"
#include "app/ProcessObjects.h"
#include "framework/Exception.h"
#include "ui/RapidaneDlg.h"

namespace {

// The outside engine that gives the windows their look, and what it is told.
const char kSkinEngineProgId[] = "SkinCrafter.SCSkin3";
const char kSkinFile[] = "Skin.skf";
constexpr DISPID kSkinDispId17 = 17;
constexpr DISPID kSkinDispId1 = 1;
constexpr DISPID kSkinLoadFile = 2;
constexpr DISPID kSkinApply = 18;

}  // namespace

const MessageMap* CRapidaneApp::GetMessageMap() const
{
    static const MessageEntry entries[] = {
        Command<&CWinApp::OnHelp>(ID_HELP),
    };
    static const MessageMap map(CWinApp::GetMessageMap(), entries);
    return &map;
}

BOOL CRapidaneApp::InitInstance()
{
    if (!ClaimSession(m_instance))
        return FALSE;
    ::InitCommonControls();
    CWinApp::InitInstance();
    EnableControlContainer();
    SetRegistryKey("Local AppWizard-Generated Applications");

    // Never freed: the engine's interface is held until the process ends.
    RunGuarded("start-up: skin engine", [this] { m_pSkinEngine = new CDispatchDriver; });
    ::CoInitialize(nullptr);
    // Without the engine every call returns at once and the program keeps
    // the system's look; a failing call leaves the rest of start-up alone.
    RunGuarded("start-up: skin loading", [this] {
        if (!m_pSkinEngine)
            return;
        m_pSkinEngine->CreateDispatch(kSkinEngineProgId);
        m_pSkinEngine->InvokeMethod(kSkinDispId17, 0L);
        m_pSkinEngine->InvokeMethod(kSkinDispId1, 1L);
        m_pSkinEngine->InvokeMethod(kSkinLoadFile, kSkinFile);
        m_pSkinEngine->InvokeMethod(kSkinApply);
    });

    {
        CRapidaneDlg dialog(&m_instance);
        m_pMainWnd = &dialog;
        // The dialog's result becomes the process's exit code.
        m_nExitCode = static_cast<int>(dialog.DoModal());
        m_pMainWnd = nullptr;
    }
    return FALSE;
}

void CRapidaneApp::SaveForSessionEnd()
{
    g_CaptureSettings.WriteBack();
}

int CRapidaneApp::ExitInstance()
{
    return CWinApp::ExitInstance();
}
