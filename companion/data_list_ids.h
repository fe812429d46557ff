// Resource ids of the data list dialog.
#pragma once

#define IDD_DATA_LIST 129
#define IDC_DATA_LIST 1002
#define IDC_CONVERT 1003
