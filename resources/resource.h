// Resource and control ids. The numbers are stored in the resource script and in saved dialog
// layouts, so they never change.
#pragma once

// ---- icon, splash picture, user guide ------------------------------------------------------
#define IDI_ZELVORA 120
#define IDB_SPLASH 121
// The user guide is the resource "ID_TEXT_HELP" of type "TEXT".

// ---- main menu ---------------------------------------------------------------------------
#define IDR_MAIN_MENU 100
#define IDM_FILE_NEW 101
#define IDM_DATA_IMPORT 102
#define IDM_FILE_OPEN 103
#define IDM_FILE_SAVE 104
#define IDM_FILE_SAVE_AS 105
#define IDM_FILE_CLOSE 106
#define IDM_FILE_QUIT 107
#define IDM_OPTIONS_DRAW 108
#define IDM_OPTIONS_CALCULATION 109
#define IDM_HELP_ABOUT 110
#define IDM_DATA_EXPORT 111
#define IDM_TOOL_SIMPLIFIED 112
#define IDM_HELP_GUIDE 113
#define IDM_EDIT_UNDO 114
#define IDM_EDIT_REDO 115
#define IDM_EDIT_COPY 116
#define IDM_FILE_EXPORT_REPORT 117
#define IDM_FILE_PRINT 118
#define IDM_FILE_RECENT_FIRST 120  // the recent drawings, 120 to 123, added at the end of File
#define IDM_DATA_ASSESSMENT 210
#define IDM_DATA_STRUCTURES 211

// ---- import height dialog: the height of footprints that bring none -------------------------
#define IDD_IMPORT_HEIGHT 190
#define IDC_IMPORT_HEIGHT_VALUE 191

// ---- import unit dialog: the unit of a DXF drawing that declares none the import knows -----------
#define IDD_IMPORT_UNIT 192
#define IDC_IMPORT_UNIT_LIST 193
#define IDC_IMPORT_UNIT_REASON 194

// ---- report signatures dialog: project, author and checker, before a report is made -----------
#define IDD_REPORT_SIGNATURES 500
#define IDC_REPORT_PROJECT 501
#define IDC_REPORT_AUTHOR 502
#define IDC_REPORT_CHECKER 503

// ---- keyboard: commands that only a key gives ------------------------------------------------
#define IDR_ACCELERATORS 200
#define IDM_ESCAPE 201

// ---- main window children ------------------------------------------------------------------
#define IDC_STATUS_BAR 150
#define IDC_DRAW_BUTTON 160
#define IDC_CREATE_BUTTON 161
#define IDC_EDIT_BUTTON 162
#define IDC_DELETE_BUTTON 163
#define IDC_VIEW_AD_BUTTON 164
#define IDC_VIEW_AM_BUTTON 165

// ---- vertex dialog: height, priority and name of a new polygon -------------------------------
#define IDD_VERTEX 125
#define IDC_VERTEX_SAVE 126
#define IDC_VERTEX_HEIGHT 127
#define IDC_VERTEX_PRIORITY 128
#define IDC_VERTEX_NAME 129

// ---- draw options dialog -----------------------------------------------------------------
#define IDD_DRAW_OPTIONS 130
#define IDC_DRAW_SAVE 131
#define IDC_DRAW_CANCEL 132
#define IDC_DRAW_SNAP_STEP 133
#define IDC_DRAW_ZOOM 134
#define IDC_DRAW_SNAP_ON 135
#define IDC_DRAW_MAP_SIZE 136

// ---- about box ---------------------------------------------------------------------------
#define IDD_ABOUT 137
#define IDC_ABOUT_CLOSE 138

// ---- vertex height dialog ------------------------------------------------------------------
#define IDD_VERTEX_HEIGHT 140
#define IDC_HEIGHT_SAVE 141
#define IDC_HEIGHT_CANCEL 142
#define IDC_HEIGHT_VALUE 143

// ---- polygon options dialog ----------------------------------------------------------------
#define IDD_POLYGON_OPTIONS 144
#define IDC_POLYGON_SAVE 145
#define IDC_POLYGON_CANCEL 146
#define IDC_POLYGON_NAME 147
#define IDC_POLYGON_PRIORITY 148

// ---- calculation options dialog ------------------------------------------------------------
#define IDD_CALC_OPTIONS 170
#define IDC_CALC_SAVE 171
#define IDC_CALC_CANCEL 172
#define IDC_CALC_HEIGHT_PROJECTION 173
#define IDC_CALC_DISTANCE_PROJECTION 174

// ---- calculation progress dialog -----------------------------------------------------------
#define IDD_PROGRESS 175
#define IDC_PROGRESS_BAR 176
#define IDC_PROGRESS_CLOSE 177

// ---- simplified calculation dialog ---------------------------------------------------------
#define IDD_SIMPLIFIED 180
#define IDC_SIMPLIFIED_CALCULATE 181
#define IDC_SIMPLIFIED_CLOSE 182
#define IDC_SIMPLIFIED_LENGTH 183
#define IDC_SIMPLIFIED_WIDTH 184
#define IDC_SIMPLIFIED_MIN_HEIGHT 185
#define IDC_SIMPLIFIED_MAX_HEIGHT 186

// ---- Structures window: the structures' table beside the main window (400 to 449) -------------
#define IDC_STRUCTURES_CALCULATE 400  // the buttons follow each other in the order they are laid out
#define IDC_STRUCTURES_STOP 401
#define IDC_STRUCTURES_COPY 402
#define IDC_STRUCTURES_EXPORT 403
#define IDC_STRUCTURES_LIST 410
#define IDC_STRUCTURES_PROGRESS 411
#define IDC_STRUCTURES_NOTE 412

// ---- assessment dialog ---------------------------------------------------------------------
#define IDD_ASSESSMENT 450
#define IDC_ASSESSMENT_EDITION2 451
#define IDC_ASSESSMENT_EDITION3 452
#define IDC_ASSESSMENT_NG 453  // the four fields in the order of the core's fields
#define IDC_ASSESSMENT_NSG 454
#define IDC_ASSESSMENT_K 455
#define IDC_ASSESSMENT_UW 456
#define IDC_ASSESSMENT_NG_LABEL 457  // and their labels in the same order
#define IDC_ASSESSMENT_NSG_LABEL 458
#define IDC_ASSESSMENT_K_LABEL 459
#define IDC_ASSESSMENT_UW_LABEL 460

// ---- structure dialog ----------------------------------------------------------------------
#define IDD_STRUCTURE 465
#define IDC_STRUCTURE_NAME 466
#define IDC_STRUCTURE_CD 467
#define IDC_STRUCTURE_UW 468
#define IDC_STRUCTURE_UW_LABEL 469
#define IDC_STRUCTURE_LINES 470
#define IDC_STRUCTURE_ADD 471
#define IDC_STRUCTURE_EDIT 472
#define IDC_STRUCTURE_REMOVE 473

// ---- line dialog ---------------------------------------------------------------------------
#define IDD_LINE 480
#define IDC_LINE_KIND 481
#define IDC_LINE_INSTALLATION 482
#define IDC_LINE_ENVIRONMENT 483
#define IDC_LINE_UNKNOWN 484
#define IDC_LINE_TRANSFORMER 485
#define IDC_LINE_ADJACENT 486
#define IDC_LINE_CDJ 487
#define IDC_LINE_LENGTH 488  // the five number fields in the order of the core's fields
#define IDC_LINE_UW 489
#define IDC_LINE_ADJACENT_LENGTH 490
#define IDC_LINE_ADJACENT_WIDTH 491
#define IDC_LINE_ADJACENT_HEIGHT 492
#define IDC_LINE_LENGTH_LABEL 493  // and their labels in the same order
#define IDC_LINE_UW_LABEL 494
#define IDC_LINE_ADJACENT_LENGTH_LABEL 495
#define IDC_LINE_ADJACENT_WIDTH_LABEL 496
#define IDC_LINE_ADJACENT_HEIGHT_LABEL 497
#define IDC_LINE_CDJ_LABEL 498
