// Resource ids of the fixed-phrase editor (plain #defines for the resource compiler).
#pragma once

#define IDD_PHRASES 100

// Field n (1-10) has the id IDC_PHRASE_FIRST + n - 1, its label IDC_PHRASE_LABEL_FIRST + n - 1.
#define IDC_PHRASE_FIRST 1001
#define IDC_PHRASE_LABEL_FIRST 1101
#define IDC_NOTE_SELECTED 1201
#define IDC_NOTE_DOLLAR 1202

#define IDS_CAPTION 2000
#define IDS_TOO_LARGE 2001
#define IDS_SAVE_FAILED 2002
