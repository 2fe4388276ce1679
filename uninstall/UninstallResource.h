// Resource ids of uninstall.exe (dialog 100, controls 1000 and up).
#pragma once

#define IDD_UNINSTALL 100
#define IDC_UNINSTALL_MESSAGE 1001
