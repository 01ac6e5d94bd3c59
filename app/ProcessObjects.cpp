// Every process-wide object of the program, defined here in construction
// order: C++ orders the construction of globals only within one file. Each
// is destroyed at process exit in the reverse order, so the traffic-capture
// module's settings are written after the main window has closed.
#include "app/ProcessObjects.h"
#include "tray/TrayIcon.h"

CRapidaneApp theApp;

// The traffic-capture module: the services file beside the program, then
// the settings file, which is written back when this object is destroyed.
CServicesParser g_CaptureServices;
CSettings g_CaptureSettings;

// The tray icon manager's class-wide objects.

const UINT CTrayIcon::taskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");
CParkingWindow CTrayIcon::parkingWindow;
