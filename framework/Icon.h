// CIcon: an icon the program loaded for itself, destroyed with its owner.
// Shared icons (LoadIcon, LR_SHARED) belong to the system and never go in
// here.
#pragma once
#include "framework/Win32.h"

class CIcon {
public:
    CIcon() = default;
    ~CIcon() { Destroy(); }
    CIcon(const CIcon&) = delete;
    CIcon& operator=(const CIcon&) = delete;

    // The icon resource id of instance at cx by cy pixels: the resource's
    // image of that size, or the nearest one scaled to it. Not shared: the
    // system hands a shared icon out at the size it was first loaded at,
    // whatever size is asked for later.
    BOOL Load(HINSTANCE instance, UINT id, int cx, int cy)
    {
        Destroy();
        m_hIcon = static_cast<HICON>(
            ::LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR));
        return m_hIcon != nullptr;
    }
    void Destroy()
    {
        if (m_hIcon)
            ::DestroyIcon(m_hIcon);
        m_hIcon = nullptr;
    }
    void Swap(CIcon& other)
    {
        HICON icon = m_hIcon;
        m_hIcon = other.m_hIcon;
        other.m_hIcon = icon;
    }
    operator HICON() const { return m_hIcon; }

    HICON m_hIcon = nullptr;
};
