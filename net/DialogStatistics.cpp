#include "ui/RapidaneDlg.h"

// Placeholders; the network monitor replaces them.
void CRapidaneDlg::FillInterfaceList() {}
int CRapidaneDlg::RefreshConnectionStatus() { return 0; }
void CRapidaneDlg::TickConnectedTime() {}
void CRapidaneDlg::TickAcceleratedTime() {}
void CRapidaneDlg::OnSelchangeNetwork() {}
void CRapidaneDlg::ShowInterfaceCounters() {}
