// Every resource, control and command ID of Orvanta.
// Shared by orvanta.rc and the C++ code, so a number lives in one place.
#pragma once

// Bitmaps. The icon, like the dialogs and the menu, is a named resource
// ("IDI_ICON1"), so it has no number here.
#define IDB_TOOLBAR 199
#define IDB_DATABASE_BUTTON 1008
#define IDB_DB_PRINT_ALL 1002
#define IDB_DB_DELETE_ALL 1003
#define IDB_DB_DELETE_ITEM 1004
#define IDB_DB_ADD_ITEM 1005
#define IDB_DB_SAVE_ALL 1006
#define IDB_DB_CLOSE 1007

// The same pictures drawn for 125, 150 and 200 % display scale: 10000,
// 20000 and 30000 above the picture's own ID (the program takes the one
// nearest to a window's scale, platform/win/display_scale.h).
#define IDB_TOOLBAR_125 10199
#define IDB_TOOLBAR_150 20199
#define IDB_TOOLBAR_200 30199
#define IDB_DATABASE_BUTTON_125 11008
#define IDB_DATABASE_BUTTON_150 21008
#define IDB_DATABASE_BUTTON_200 31008
#define IDB_DB_PRINT_ALL_125 11002
#define IDB_DB_PRINT_ALL_150 21002
#define IDB_DB_PRINT_ALL_200 31002
#define IDB_DB_DELETE_ALL_125 11003
#define IDB_DB_DELETE_ALL_150 21003
#define IDB_DB_DELETE_ALL_200 31003
#define IDB_DB_DELETE_ITEM_125 11004
#define IDB_DB_DELETE_ITEM_150 21004
#define IDB_DB_DELETE_ITEM_200 31004
#define IDB_DB_ADD_ITEM_125 11005
#define IDB_DB_ADD_ITEM_150 21005
#define IDB_DB_ADD_ITEM_200 31005
#define IDB_DB_SAVE_ALL_125 11006
#define IDB_DB_SAVE_ALL_150 21006
#define IDB_DB_SAVE_ALL_200 31006
#define IDB_DB_CLOSE_125 11007
#define IDB_DB_CLOSE_150 21007
#define IDB_DB_CLOSE_200 31007

// Main dialog IDD_DIALOG1 (the templates are named by string)
#define IDC_GENERATE 101
#define IDC_OUTPUT 104
#define IDC_GROUP_METHOD 105
#define IDC_METHOD_LCG 106
#define IDC_METHOD_BITSHIFT 107
#define IDC_GROUP_MODE 108
#define IDC_MODE_SIMPLE 109
#define IDC_MODE_ADVANCED 110
#define IDC_GROUP_KEYS 111
#define IDC_KEYS_ALL 112
#define IDC_KEYS_DIGITS 113
#define IDC_KEYS_LETTERS 114
#define IDC_KEYS_ALNUM 115
#define IDC_GROUP_CASE 116
#define IDC_CASE_YES 117
#define IDC_CASE_NO 118
#define IDC_LENGTH_34 119
#define IDC_LENGTH_4 120  // 120..137: "4".."20", then "30"
#define IDC_LENGTH_5 121
#define IDC_LENGTH_6 122
#define IDC_LENGTH_7 123
#define IDC_LENGTH_8 124
#define IDC_LENGTH_9 125
#define IDC_LENGTH_10 126
#define IDC_LENGTH_11 127
#define IDC_LENGTH_12 128
#define IDC_LENGTH_13 129
#define IDC_LENGTH_14 130
#define IDC_LENGTH_15 131
#define IDC_LENGTH_16 132
#define IDC_LENGTH_17 133
#define IDC_LENGTH_18 134
#define IDC_LENGTH_19 135
#define IDC_LENGTH_20 136
#define IDC_LENGTH_30 137
#define IDC_GROUP_QUANTITY 138
#define IDC_QUANTITY_2 139  // 139..160: "2", "3", "30" .. "9999"
#define IDC_QUANTITY_3 140
#define IDC_QUANTITY_30 141
#define IDC_QUANTITY_40 142
#define IDC_QUANTITY_50 143
#define IDC_QUANTITY_60 144
#define IDC_QUANTITY_80 145
#define IDC_QUANTITY_90 146
#define IDC_QUANTITY_100 147
#define IDC_QUANTITY_150 148
#define IDC_QUANTITY_200 149
#define IDC_QUANTITY_300 150
#define IDC_QUANTITY_400 151
#define IDC_QUANTITY_500 152
#define IDC_QUANTITY_600 153
#define IDC_QUANTITY_700 154
#define IDC_QUANTITY_800 155
#define IDC_QUANTITY_900 156
#define IDC_QUANTITY_2000 157
#define IDC_QUANTITY_4000 158
#define IDC_QUANTITY_8000 159
#define IDC_QUANTITY_9999 160
#define IDC_AUTO_COPY 180
#define IDC_USE_BIG_SCREEN 181
#define IDC_STATIC_GENERATOR 198
#define IDC_GROUP_LENGTH 199
#define IDC_DATABASE 710

// Toolbar control
#define IDC_TOOLBAR 193

// Menu IDM_MENU1 and toolbar commands
#define IDM_SAVE 210
#define IDM_UNDO 211
#define IDM_CUT 212
#define IDM_COPY 213
#define IDM_PASTE 214
#define IDM_CLEAR 216
#define IDM_SELECT_ALL 217
#define IDM_GENERATE 701
#define IDM_EXIT 708
#define IDM_PRINT 709
#define IDM_HELP 901
#define IDM_ABOUT 902
#define IDM_FONT 904
#define IDM_ALIGN_LEFT 905
#define IDM_ALIGN_CENTER 906
#define IDM_ALIGN_RIGHT 907
#define IDM_DATABASE 908
#define IDM_SEED_AUTO 1921
#define IDM_SEED_CUSTOM 1922
#define IDM_SEED_STRONG 1923
#define IDM_SORT_ASCENDING 2000
#define IDM_SORT_DESCENDING 2001

// Big-screen window "popup"
#define IDC_BIG_EDITOR 182
#define IDC_BIG_CLOSE 183
#define IDC_BIG_GENERATE 184

// Password database window "generic"
#define IDC_DB_ADD_ITEM 186
#define IDC_DB_DELETE_ITEM 188
#define IDC_DB_CLIPBOARD_EDIT 189
#define IDC_DB_DELETE_ALL 190
#define IDC_DB_PRINT_ALL 191
#define IDC_DB_PRINT_EDITOR 192
#define IDC_DB_SAVE_ALL 193
#define IDC_DB_CLOSE 194

// Item Data dialog IDD_DIALOG2
#define IDC_ITEM_PASSWORD 501
#define IDC_ITEM_LOGIN 502
#define IDC_ITEM_URL 503
#define IDC_ITEM_COMMENTS 504
#define IDC_ITEM_OK 506
#define IDC_ITEM_CANCEL 507
#define IDC_ITEM_LABEL_PASSWORD 101
#define IDC_ITEM_LABEL_LOGIN 102
#define IDC_ITEM_LABEL_URL 103
#define IDC_ITEM_LABEL_COMMENTS 104
#define IDC_ITEM_LABEL_PLEASE 105

// Custom Seed dialog IDD_DIALOG5
#define IDC_SEED_GROUP 3000
#define IDC_SEED_DIGIT_FIRST 3002  // 3002 (most significant) .. 3010 (units)
#define IDC_SEED_DIGIT_LAST 3010
#define IDC_SEED_OK 3011
#define IDC_SEED_CANCEL 3012
#define IDC_SEED_UPDOWN_UNITS 4002  // 4002 (units) .. 4010 (most significant)
#define IDC_SEED_UPDOWN_LAST 4010
