// Resource ids of ulo_extension.dll (dialog controls in the 3100 range).
#pragma once

#define IDC_STRING_EDIT 3101
#define IDC_STRING_LABEL 3102
#define IDC_SEARCH_EDIT 3111
#define IDC_REPLACE_EDIT 3112
#define IDC_REPLACE_NOTE 3113
#define IDC_SEARCH_LABEL 3114
#define IDC_REPLACE_LABEL 3115
#define IDC_REPLACE_BUTTON 3116
