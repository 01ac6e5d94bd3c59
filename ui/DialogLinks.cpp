#include "ui/RapidaneDlg.h"

// Placeholders; the client launcher replaces them.
void CRapidaneDlg::LaunchClient() {}
void CRapidaneDlg::StartUpdater() {}
void CRapidaneDlg::OnLinkSecurity() {}
void CRapidaneDlg::OnLinkHelp() {}
void CRapidaneDlg::OnLinkFileSharing() {}
void CRapidaneDlg::OnLinkAnonymous() {}
void CRapidaneDlg::OnLinkMusicOffer() {}
void CRapidaneDlg::OnLinkMedia() {}
