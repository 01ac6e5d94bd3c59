// CRapidaneApp: takes the program from its entry point to the main window
// and back.
#pragma once
#include "framework/DispatchDriver.h"
#include "framework/SingleInstance.h"
#include "framework/WinApp.h"

class CRapidaneApp : public CWinApp {
public:
    CRapidaneApp() = default;
    ~CRapidaneApp() override = default;

    BOOL InitInstance() override;
    int ExitInstance() override;
    void SaveForSessionEnd() override;

    // The skin engine's client: held until the process ends.
    CDispatchDriver* m_pSkinEngine = nullptr;

protected:
    const MessageMap* GetMessageMap() const override;

private:
    // One Velorix per user session.
    CSingleInstance m_instance;
};
