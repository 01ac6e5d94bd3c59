// The class-wide objects that Velorix defines among its process-wide
// objects, defined here for the benchmark, which runs the main dialog.
#include "tray/TrayIcon.h"

const UINT CTrayIcon::taskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");
CParkingWindow CTrayIcon::parkingWindow;
