#include "ui/RapidaneDlg.h"

// Placeholder; the network monitor replaces it.
void CRapidaneDlg::OnAccelerate() {}
