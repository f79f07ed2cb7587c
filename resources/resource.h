// Identifiers of the module's resources: the rule editor dialog and its controls, the syntax menus and their
// commands, the tree bitmap, the drag cursors and the string table.
#pragma once

// Dialogs, menus, bitmaps, cursors
#define IDD_SETUP 104
#define IDR_REGEX_MENU 107
#define IDR_LITERAL_MENU 108
#define IDB_TREE 1009
#define IDCUR_DRAG_MOVE 28603
#define IDCUR_DRAG_COPY 28604

// Controls of the rule editor
#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
#define IDC_TREE 1001
#define IDC_CHECK_EXIST_IF_IN_SOURCE 1002
#define IDC_ADD 1003
#define IDC_DELETE 1004
#define IDC_NAME 1005
#define IDC_PATTERN 1006
#define IDC_CHECK_MUST_NOT_EXIST 1007
#define IDC_CHECK_MUST_EXIST 1008
#define IDC_ORDER 1009
#define IDC_ACTIVE 1010
#define IDC_CASE 1011
#define IDC_SYNTAX 1012
#define IDC_TEXT 1013
#define IDC_SOURCE 1014
#define IDC_TRANSLATION 1015
#define IDC_CHECK 1016
#define IDC_COUNT 1017
#define IDC_REGEX 1018
#define IDC_TEST 1019
#define IDC_TEST_LINE 1020
#define IDC_RESULTS 1022
#define IDC_TAG 1024
#define IDC_CHECK_NONE 1025
#define IDC_NATIVE 1026

// Commands of the syntax menus
#define ID_SYNTAX_ANY_CHAR 40001
#define ID_SYNTAX_IN_RANGE 40002
#define ID_SYNTAX_NOT_IN_RANGE 40003
#define ID_SYNTAX_LINE_START 40004
#define ID_SYNTAX_LINE_END 40005
#define ID_SYNTAX_TAGGED 40006
#define ID_SYNTAX_NOT 40007
#define ID_SYNTAX_OR 40008
#define ID_SYNTAX_ZERO_OR_MORE 40009
#define ID_SYNTAX_ONE_OR_MORE 40010
#define ID_SYNTAX_GROUP 40011
#define ID_SYNTAX_LINE_FEED 40012
#define ID_SYNTAX_TAB 40013

// String table
#define IDS_PROJECT 104
#define IDS_SAVE_CHANGES 105
#define IDS_ADDIN_NAME 106
#define IDS_ADDIN_DESCRIPTION 107
#define IDS_UNEQUAL_COUNT 108
#define IDS_WRONG_ORDER 109
#define IDS_MISSING_IN_TRANSLATION 110
#define IDS_MUST_NOT_APPEAR 111
#define IDS_NO_MATCH 112
#define IDS_CUSTOM_CHECK 113
#define IDS_DELETE_RULE 114
#define IDS_RULE_VIOLATED 115
#define IDS_TEST_OK 116
#define IDS_NO_SOURCE_MATCHES 117
#define IDS_NO_TRANSLATION_MATCHES 118
#define IDS_SOURCE_MATCHES 119
#define IDS_TRANSLATION_MATCHES 120
#define IDS_ENTER_VALUE 32550
#define IDS_INVALID_LENGTH 32551
#define IDS_INVALID_RANGE 32552
#define IDS_CODEPAGE_NOT_INSTALLED 32580
