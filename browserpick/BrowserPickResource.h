// Resource ids of the browser registration program (plain #defines for the resource compiler).
#pragma once

#define IDD_BROWSER_LIST_PAGE 100
#define IDD_BROWSER_SLOT 200

// The page "登録リスト".
#define IDC_BROWSER_LIST 1001
#define IDC_BROWSER_CHANGE 1002

// The slot dialog.
#define IDC_SLOT_PATH_LABEL 2000
#define IDC_SLOT_PATH 2001
#define IDC_SLOT_BROWSE 2002
#define IDC_SLOT_RESET 2003

#define IDS_BROWSER_CAPTION 3000
#define IDS_COLUMN_KIND 3001
#define IDS_COLUMN_PATH 3002
#define IDS_NOT_SET 3003
#define IDS_NOTHING_SELECTED 3004
#define IDS_SAVE_FAILED 3005
// The file dialog's filters with "|" in place of the NULs that separate them.
#define IDS_FILTER 3006
