// The class-wide objects that the program defines among its process-wide
// objects, defined here for the unit-test program.
#include "tray/TrayIcon.h"

const UINT CTrayIcon::taskbarCreatedMessage = ::RegisterWindowMessageA("TaskbarCreated");
CParkingWindow CTrayIcon::parkingWindow;
