// The main window's settings: read at construction and initialisation,
// written back at every "&Minimize to Tray", and the two tray-menu toggles.
#include "framework/CmdUI.h"
#include "settings/SettingsStore.h"
#include "ui/RapidaneDlg.h"

void CRapidaneDlg::LoadAutoResume()
{
    DwordSetting value{"AutoResumeDownloads", 0};
    ReadSettings(&value, 1);
    m_bAutoResumeDownloads = value.value != 0;
}

void CRapidaneDlg::LoadRunOtherApp()
{
    DwordSetting value{"RunOtherApp", 0};
    ReadSettings(&value, 1);
    m_bRunOtherApp = value.value != 0;
}

void CRapidaneDlg::LoadSettings()
{
    DwordSetting values[] = {
        {"CheckPeriodNum", 12},
        {"AccelerateN", 7},
        {"CheckPeriodCombo", 0},
        {"Network", 0},
    };
    ReadSettings(values, 4);
    m_strCheckPeriodNum.Format("%d", static_cast<int>(values[0].value));
    m_strAccelerateN.Format("%d", static_cast<int>(values[1].value));
    m_cmbCheckPeriod.SetCurSel(static_cast<int>(values[2].value));
    m_nNetwork = static_cast<int>(values[3].value);
    LoadNetworkChoice(m_nNetwork);
    UpdateData(FALSE);
}

void CRapidaneDlg::SaveSettings()
{
    UpdateData(TRUE);
    const DwordSetting values[] = {
        {"CheckPeriodNum", static_cast<DWORD>(LeadingDecimal(m_strCheckPeriodNum))},
        {"CheckPeriodCombo", static_cast<DWORD>(m_cmbCheckPeriod.GetCurSel())},
        {"AccelerateN", static_cast<DWORD>(LeadingDecimal(m_strAccelerateN))},
    };
    WriteSettings(values, 3);
}

void CRapidaneDlg::OnAutoResumeDownloads()
{
    m_bAutoResumeDownloads = !m_bAutoResumeDownloads;
    const DwordSetting value{"AutoResumeDownloads", m_bAutoResumeDownloads ? 1u : 0u};
    WriteSettings(&value, 1);
}

void CRapidaneDlg::OnUpdateAutoResumeDownloads(CCmdUI* ui)
{
    ui->SetCheck(m_bAutoResumeDownloads);
}

void CRapidaneDlg::OnUpdateRunAtStartup(CCmdUI* ui)
{
    m_bRunAtStartup = RunEntryExists();
    ui->SetCheck(m_bRunAtStartup);
}

void CRapidaneDlg::OnRunAtStartup()
{
    m_bRunAtStartup = !m_bRunAtStartup;
    SetRunEntry(m_bRunAtStartup);
}
