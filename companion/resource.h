// Resource ids of Vornet.exe.
#pragma once

#define IDD_VORNET_DIALOG 102
#define IDR_MAINFRAME 128
#define IDC_PC_TO_PALM 1000
#define IDC_PALM_TO_PC 1001
#define IDC_STATUS 1004
