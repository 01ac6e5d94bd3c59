#include "framework/Controls.h"

#include "framework/WinApp.h"

BOOL CMenu::LoadMenu(UINT id)
{
    DestroyMenu();
    m_hMenu = ::LoadMenuA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
    return m_hMenu != nullptr;
}

void CMenu::DestroyMenu()
{
    if (m_hMenu)
        ::DestroyMenu(m_hMenu);
    m_hMenu = nullptr;
}
