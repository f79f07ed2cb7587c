// The Win32 numbers of styles, notification codes, commands, keys and metrics that the platform
// interface passes through. On Windows they come from the system headers; elsewhere they are defined
// here with the same names and values. Only the wide (W) forms of the notification codes exist, so code
// that names an ANSI/wide-dependent code fails to build everywhere rather than misbehave on Windows.
#pragma once

#ifdef _WIN32
#include "support/KWindowsApi.h"
#include <commctrl.h>
#else
#include <cstdint>

// Window styles and extended styles.
inline constexpr uint32_t WS_OVERLAPPED = 0x00000000;
inline constexpr uint32_t WS_POPUP = 0x80000000;
inline constexpr uint32_t WS_CHILD = 0x40000000;
inline constexpr uint32_t WS_MINIMIZE = 0x20000000;
inline constexpr uint32_t WS_VISIBLE = 0x10000000;
inline constexpr uint32_t WS_DISABLED = 0x08000000;
inline constexpr uint32_t WS_CLIPSIBLINGS = 0x04000000;
inline constexpr uint32_t WS_CLIPCHILDREN = 0x02000000;
inline constexpr uint32_t WS_MAXIMIZE = 0x01000000;
inline constexpr uint32_t WS_CAPTION = 0x00C00000;
inline constexpr uint32_t WS_BORDER = 0x00800000;
inline constexpr uint32_t WS_DLGFRAME = 0x00400000;
inline constexpr uint32_t WS_VSCROLL = 0x00200000;
inline constexpr uint32_t WS_HSCROLL = 0x00100000;
inline constexpr uint32_t WS_SYSMENU = 0x00080000;
inline constexpr uint32_t WS_THICKFRAME = 0x00040000;
inline constexpr uint32_t WS_GROUP = 0x00020000;
inline constexpr uint32_t WS_TABSTOP = 0x00010000;
inline constexpr uint32_t WS_MINIMIZEBOX = 0x00020000;
inline constexpr uint32_t WS_MAXIMIZEBOX = 0x00010000;
inline constexpr uint32_t WS_EX_DLGMODALFRAME = 0x00000001;
inline constexpr uint32_t WS_EX_NOPARENTNOTIFY = 0x00000004;
inline constexpr uint32_t WS_EX_TOPMOST = 0x00000008;
inline constexpr uint32_t WS_EX_TRANSPARENT = 0x00000020;
inline constexpr uint32_t WS_EX_TOOLWINDOW = 0x00000080;
inline constexpr uint32_t WS_EX_WINDOWEDGE = 0x00000100;
inline constexpr uint32_t WS_EX_CLIENTEDGE = 0x00000200;
inline constexpr uint32_t WS_EX_CONTEXTHELP = 0x00000400;
inline constexpr uint32_t WS_EX_STATICEDGE = 0x00020000;

// Dialog styles.
inline constexpr uint32_t DS_3DLOOK = 0x0004;
inline constexpr uint32_t DS_FIXEDSYS = 0x0008;
inline constexpr uint32_t DS_SETFONT = 0x0040;
inline constexpr uint32_t DS_MODALFRAME = 0x0080;
inline constexpr uint32_t DS_CENTER = 0x0800;
inline constexpr uint32_t DS_CONTEXTHELP = 0x2000;
inline constexpr uint32_t DS_SHELLFONT = DS_SETFONT | DS_FIXEDSYS;

// Edit control styles and notifications.
inline constexpr uint32_t ES_LEFT = 0x0000;
inline constexpr uint32_t ES_CENTER = 0x0001;
inline constexpr uint32_t ES_RIGHT = 0x0002;
inline constexpr uint32_t ES_MULTILINE = 0x0004;
inline constexpr uint32_t ES_UPPERCASE = 0x0008;
inline constexpr uint32_t ES_LOWERCASE = 0x0010;
inline constexpr uint32_t ES_PASSWORD = 0x0020;
inline constexpr uint32_t ES_AUTOVSCROLL = 0x0040;
inline constexpr uint32_t ES_AUTOHSCROLL = 0x0080;
inline constexpr uint32_t ES_NOHIDESEL = 0x0100;
inline constexpr uint32_t ES_READONLY = 0x0800;
inline constexpr uint32_t ES_WANTRETURN = 0x1000;
inline constexpr uint32_t ES_NUMBER = 0x2000;
inline constexpr uint32_t EN_SETFOCUS = 0x0100;
inline constexpr uint32_t EN_KILLFOCUS = 0x0200;
inline constexpr uint32_t EN_CHANGE = 0x0300;
inline constexpr uint32_t EN_UPDATE = 0x0400;
inline constexpr uint32_t EN_MAXTEXT = 0x0501;

// Button styles, check states and notifications.
inline constexpr uint32_t BS_PUSHBUTTON = 0x0000;
inline constexpr uint32_t BS_DEFPUSHBUTTON = 0x0001;
inline constexpr uint32_t BS_CHECKBOX = 0x0002;
inline constexpr uint32_t BS_AUTOCHECKBOX = 0x0003;
inline constexpr uint32_t BS_RADIOBUTTON = 0x0004;
inline constexpr uint32_t BS_3STATE = 0x0005;
inline constexpr uint32_t BS_AUTO3STATE = 0x0006;
inline constexpr uint32_t BS_GROUPBOX = 0x0007;
inline constexpr uint32_t BS_USERBUTTON = 0x0008;
inline constexpr uint32_t BS_AUTORADIOBUTTON = 0x0009;
inline constexpr uint32_t BS_PUSHBOX = 0x000A;
inline constexpr uint32_t BS_OWNERDRAW = 0x000B;
inline constexpr uint32_t BS_TYPEMASK = 0x000F;
inline constexpr uint32_t BS_LEFTTEXT = 0x0020;
inline constexpr uint32_t BS_MULTILINE = 0x2000;
inline constexpr uint32_t BS_NOTIFY = 0x4000;
inline constexpr uint32_t BST_UNCHECKED = 0;
inline constexpr uint32_t BST_CHECKED = 1;
inline constexpr uint32_t BST_INDETERMINATE = 2;
inline constexpr uint32_t BN_CLICKED = 0;

// List box and combo box styles, notifications and error result.
inline constexpr uint32_t LBS_NOTIFY = 0x0001;
inline constexpr uint32_t LBS_SORT = 0x0002;
inline constexpr uint32_t CBS_SIMPLE = 0x0001;
inline constexpr uint32_t CBS_DROPDOWN = 0x0002;
inline constexpr uint32_t CBS_DROPDOWNLIST = 0x0003;
inline constexpr uint32_t CBS_SORT = 0x0100;
inline constexpr uint32_t LBN_SELCHANGE = 1;
inline constexpr uint32_t CBN_SELCHANGE = 1;
inline constexpr uint32_t CBN_EDITCHANGE = 5;
inline constexpr int32_t LB_ERR = -1;
inline constexpr int32_t CB_ERR = -1;

// Date/time picker style and notification.
inline constexpr uint32_t DTS_SHOWNONE = 0x0002;
inline constexpr uint32_t DTN_FIRST2 = 0U - 753U;
inline constexpr uint32_t DTN_DATETIMECHANGE = DTN_FIRST2 - 6;

// Static control styles.
inline constexpr uint32_t SS_LEFT = 0x0000;
inline constexpr uint32_t SS_CENTER = 0x0001;
inline constexpr uint32_t SS_RIGHT = 0x0002;
inline constexpr uint32_t SS_ICON = 0x0003;
inline constexpr uint32_t SS_SIMPLE = 0x000B;
inline constexpr uint32_t SS_LEFTNOWORDWRAP = 0x000C;
inline constexpr uint32_t SS_BITMAP = 0x000E;
inline constexpr uint32_t SS_ETCHEDHORZ = 0x0010;
inline constexpr uint32_t SS_ETCHEDVERT = 0x0011;
inline constexpr uint32_t SS_ETCHEDFRAME = 0x0012;
inline constexpr uint32_t SS_TYPEMASK = 0x001F;
inline constexpr uint32_t SS_NOPREFIX = 0x0080;
inline constexpr uint32_t SS_NOTIFY = 0x0100;
inline constexpr uint32_t SS_SUNKEN = 0x1000;

// Tree view styles, notifications and their arguments.
inline constexpr uint32_t TVS_HASBUTTONS = 0x0001;
inline constexpr uint32_t TVS_HASLINES = 0x0002;
inline constexpr uint32_t TVS_LINESATROOT = 0x0004;
inline constexpr uint32_t TVS_EDITLABELS = 0x0008;
inline constexpr uint32_t TVS_DISABLEDRAGDROP = 0x0010;
inline constexpr uint32_t TVS_SHOWSELALWAYS = 0x0020;
inline constexpr uint32_t TVS_NOTOOLTIPS = 0x0080;
inline constexpr uint32_t TVS_CHECKBOXES = 0x0100;
inline constexpr uint32_t TVS_TRACKSELECT = 0x0200;
inline constexpr uint32_t TVS_SINGLEEXPAND = 0x0400;
inline constexpr uint32_t TVS_FULLROWSELECT = 0x1000;
inline constexpr uint32_t NM_FIRST = 0U - 0U;
inline constexpr uint32_t NM_CLICK = NM_FIRST - 2;
inline constexpr uint32_t NM_DBLCLK = NM_FIRST - 3;
inline constexpr uint32_t NM_RETURN = NM_FIRST - 4;
inline constexpr uint32_t NM_RCLICK = NM_FIRST - 5;
inline constexpr uint32_t NM_SETFOCUS = NM_FIRST - 7;
inline constexpr uint32_t NM_KILLFOCUS = NM_FIRST - 8;
inline constexpr uint32_t TVN_FIRST = 0U - 400U;
inline constexpr uint32_t TVN_KEYDOWN = TVN_FIRST - 12;
inline constexpr uint32_t TVN_SELCHANGINGW = TVN_FIRST - 50;
inline constexpr uint32_t TVN_SELCHANGEDW = TVN_FIRST - 51;
inline constexpr uint32_t TVN_ITEMEXPANDINGW = TVN_FIRST - 54;
inline constexpr uint32_t TVN_ITEMEXPANDEDW = TVN_FIRST - 55;
inline constexpr uint32_t TVN_BEGINDRAGW = TVN_FIRST - 56;
inline constexpr uint32_t TVN_BEGINRDRAGW = TVN_FIRST - 57;
inline constexpr uint32_t TVN_DELETEITEMW = TVN_FIRST - 58;
inline constexpr uint32_t TVN_BEGINLABELEDITW = TVN_FIRST - 59;
inline constexpr uint32_t TVN_ENDLABELEDITW = TVN_FIRST - 60;
inline constexpr uint32_t TTN_FIRST = 0U - 520U;
inline constexpr uint32_t TTN_GETDISPINFOW = TTN_FIRST - 10;
inline constexpr uint32_t TTN_NEEDTEXTW = TTN_GETDISPINFOW;
inline constexpr uint32_t TVC_UNKNOWN = 0;
inline constexpr uint32_t TVC_BYMOUSE = 1;
inline constexpr uint32_t TVC_BYKEYBOARD = 2;
inline constexpr uint32_t TVE_COLLAPSE = 1;
inline constexpr uint32_t TVE_EXPAND = 2;
inline constexpr uint32_t TVE_TOGGLE = 3;
inline constexpr uint32_t TVGN_ROOT = 0x0;
inline constexpr uint32_t TVGN_NEXT = 0x1;
inline constexpr uint32_t TVGN_PREVIOUS = 0x2;
inline constexpr uint32_t TVGN_PARENT = 0x3;
inline constexpr uint32_t TVGN_CHILD = 0x4;
inline constexpr uint32_t TVGN_FIRSTVISIBLE = 0x5;
inline constexpr uint32_t TVGN_NEXTVISIBLE = 0x6;
inline constexpr uint32_t TVGN_PREVIOUSVISIBLE = 0x7;
inline constexpr uint32_t TVGN_DROPHILITE = 0x8;
inline constexpr uint32_t TVGN_CARET = 0x9;
inline constexpr uint32_t TVGN_LASTVISIBLE = 0xA;
inline constexpr uint32_t TVHT_NOWHERE = 0x0001;
inline constexpr uint32_t TVHT_ONITEMICON = 0x0002;
inline constexpr uint32_t TVHT_ONITEMLABEL = 0x0004;
inline constexpr uint32_t TVHT_ONITEMINDENT = 0x0008;
inline constexpr uint32_t TVHT_ONITEMBUTTON = 0x0010;
inline constexpr uint32_t TVHT_ONITEMRIGHT = 0x0020;
inline constexpr uint32_t TVHT_ONITEMSTATEICON = 0x0040;
inline constexpr uint32_t TVHT_ONITEM = TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMSTATEICON;
inline constexpr uint32_t TVHT_ABOVE = 0x0100;
inline constexpr uint32_t TVHT_BELOW = 0x0200;
inline constexpr uint32_t TVHT_TORIGHT = 0x0400;
inline constexpr uint32_t TVHT_TOLEFT = 0x0800;
inline constexpr uint32_t TVSIL_NORMAL = 0;
inline constexpr uint32_t TVSIL_STATE = 2;

// Dialog and message box results, message box types.
inline constexpr int32_t IDOK = 1;
inline constexpr int32_t IDCANCEL = 2;
inline constexpr int32_t IDABORT = 3;
inline constexpr int32_t IDRETRY = 4;
inline constexpr int32_t IDIGNORE = 5;
inline constexpr int32_t IDYES = 6;
inline constexpr int32_t IDNO = 7;
inline constexpr int32_t IDHELP = 9;
inline constexpr uint32_t MB_OK = 0x0000;
inline constexpr uint32_t MB_OKCANCEL = 0x0001;
inline constexpr uint32_t MB_ABORTRETRYIGNORE = 0x0002;
inline constexpr uint32_t MB_YESNOCANCEL = 0x0003;
inline constexpr uint32_t MB_YESNO = 0x0004;
inline constexpr uint32_t MB_RETRYCANCEL = 0x0005;
inline constexpr uint32_t MB_TYPEMASK = 0x000F;
inline constexpr uint32_t MB_ICONHAND = 0x0010;
inline constexpr uint32_t MB_ICONQUESTION = 0x0020;
inline constexpr uint32_t MB_ICONEXCLAMATION = 0x0030;
inline constexpr uint32_t MB_ICONASTERISK = 0x0040;
inline constexpr uint32_t MB_ICONERROR = MB_ICONHAND;
inline constexpr uint32_t MB_ICONSTOP = MB_ICONHAND;
inline constexpr uint32_t MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr uint32_t MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr uint32_t MB_ICONMASK = 0x00F0;
inline constexpr uint32_t MB_DEFBUTTON1 = 0x0000;
inline constexpr uint32_t MB_DEFBUTTON2 = 0x0100;
inline constexpr uint32_t MB_DEFBUTTON3 = 0x0200;
inline constexpr uint32_t MB_DEFMASK = 0x0F00;
inline constexpr uint32_t MB_APPLMODAL = 0x0000;
inline constexpr uint32_t MB_TASKMODAL = 0x2000;

// Menu item states.
inline constexpr uint32_t MF_BYCOMMAND = 0x0000;
inline constexpr uint32_t MF_BYPOSITION = 0x0400;
inline constexpr uint32_t MF_ENABLED = 0x0000;
inline constexpr uint32_t MF_GRAYED = 0x0001;
inline constexpr uint32_t MF_DISABLED = 0x0002;
inline constexpr uint32_t MF_UNCHECKED = 0x0000;
inline constexpr uint32_t MF_CHECKED = 0x0008;
inline constexpr uint32_t MF_POPUP = 0x0010;
inline constexpr uint32_t MF_SEPARATOR = 0x0800;

// Virtual keys and mouse key flags.
inline constexpr uint32_t VK_LBUTTON = 0x01;
inline constexpr uint32_t VK_RBUTTON = 0x02;
inline constexpr uint32_t VK_BACK = 0x08;
inline constexpr uint32_t VK_TAB = 0x09;
inline constexpr uint32_t VK_RETURN = 0x0D;
inline constexpr uint32_t VK_SHIFT = 0x10;
inline constexpr uint32_t VK_CONTROL = 0x11;
inline constexpr uint32_t VK_MENU = 0x12;
inline constexpr uint32_t VK_ESCAPE = 0x1B;
inline constexpr uint32_t VK_SPACE = 0x20;
inline constexpr uint32_t VK_PRIOR = 0x21;
inline constexpr uint32_t VK_NEXT = 0x22;
inline constexpr uint32_t VK_END = 0x23;
inline constexpr uint32_t VK_HOME = 0x24;
inline constexpr uint32_t VK_LEFT = 0x25;
inline constexpr uint32_t VK_UP = 0x26;
inline constexpr uint32_t VK_RIGHT = 0x27;
inline constexpr uint32_t VK_DOWN = 0x28;
inline constexpr uint32_t VK_DELETE = 0x2E;
inline constexpr uint32_t VK_F1 = 0x70;
inline constexpr uint32_t VK_F2 = 0x71;
inline constexpr uint32_t MK_LBUTTON = 0x0001;
inline constexpr uint32_t MK_RBUTTON = 0x0002;
inline constexpr uint32_t MK_SHIFT = 0x0004;
inline constexpr uint32_t MK_CONTROL = 0x0008;

// Scroll bars and scroll requests.
inline constexpr int32_t SB_HORZ = 0;
inline constexpr int32_t SB_VERT = 1;
inline constexpr int32_t SB_CTL = 2;
inline constexpr uint32_t SB_LINEUP = 0;
inline constexpr uint32_t SB_LINEDOWN = 1;
inline constexpr uint32_t SB_PAGEUP = 2;
inline constexpr uint32_t SB_PAGEDOWN = 3;
inline constexpr uint32_t SB_TOP = 6;
inline constexpr uint32_t SB_BOTTOM = 7;
inline constexpr uint32_t SB_ENDSCROLL = 8;

// System metrics.
inline constexpr int32_t SM_CXSCREEN = 0;
inline constexpr int32_t SM_CYSCREEN = 1;
inline constexpr int32_t SM_CXVSCROLL = 2;
inline constexpr int32_t SM_CYHSCROLL = 3;
inline constexpr int32_t SM_CYCAPTION = 4;
inline constexpr int32_t SM_CXBORDER = 5;
inline constexpr int32_t SM_CYBORDER = 6;
inline constexpr int32_t SM_CXDLGFRAME = 7;
inline constexpr int32_t SM_CYDLGFRAME = 8;
inline constexpr int32_t SM_CXFIXEDFRAME = SM_CXDLGFRAME;
inline constexpr int32_t SM_CYFIXEDFRAME = SM_CYDLGFRAME;
inline constexpr int32_t SM_CXFRAME = 32;
inline constexpr int32_t SM_CYFRAME = 33;
inline constexpr int32_t SM_CXSIZEFRAME = SM_CXFRAME;
inline constexpr int32_t SM_CYSIZEFRAME = SM_CYFRAME;
inline constexpr int32_t SM_CXEDGE = 45;
inline constexpr int32_t SM_CYEDGE = 46;
inline constexpr int32_t SM_CXDRAG = 68;
inline constexpr int32_t SM_CYDRAG = 69;
inline constexpr int32_t SM_CMONITORS = 80;

// Show commands, as the window placement reports them.
inline constexpr uint32_t SW_HIDE = 0;
inline constexpr uint32_t SW_SHOWNORMAL = 1;
inline constexpr uint32_t SW_SHOWMINIMIZED = 2;
inline constexpr uint32_t SW_SHOWMAXIMIZED = 3;
inline constexpr uint32_t SW_SHOW = 5;
inline constexpr uint32_t SW_RESTORE = 9;

// Non-client hit codes, sizing edges, colour request kinds, stock brushes.
inline constexpr uint32_t HTNOWHERE = 0;
inline constexpr uint32_t HTCLIENT = 1;
inline constexpr uint32_t HTCAPTION = 2;
inline constexpr uint32_t HTCLOSE = 20;
inline constexpr uint32_t HTHELP = 21;
inline constexpr uint32_t WMSZ_LEFT = 1;
inline constexpr uint32_t WMSZ_RIGHT = 2;
inline constexpr uint32_t WMSZ_TOP = 3;
inline constexpr uint32_t WMSZ_TOPLEFT = 4;
inline constexpr uint32_t WMSZ_TOPRIGHT = 5;
inline constexpr uint32_t WMSZ_BOTTOM = 6;
inline constexpr uint32_t WMSZ_BOTTOMLEFT = 7;
inline constexpr uint32_t WMSZ_BOTTOMRIGHT = 8;
inline constexpr uint32_t CTLCOLOR_MSGBOX = 0;
inline constexpr uint32_t CTLCOLOR_EDIT = 1;
inline constexpr uint32_t CTLCOLOR_LISTBOX = 2;
inline constexpr uint32_t CTLCOLOR_BTN = 3;
inline constexpr uint32_t CTLCOLOR_DLG = 4;
inline constexpr uint32_t CTLCOLOR_SCROLLBAR = 5;
inline constexpr uint32_t CTLCOLOR_STATIC = 6;
inline constexpr int32_t WHITE_BRUSH = 0;
inline constexpr int32_t LTGRAY_BRUSH = 1;
inline constexpr int32_t GRAY_BRUSH = 2;
inline constexpr int32_t NULL_BRUSH = 5;

// Help requests: commands of the help system and the kinds of context of a help request.
inline constexpr uint32_t HELP_CONTEXT = 0x0001;
inline constexpr uint32_t HELP_QUIT = 0x0002;
inline constexpr uint32_t HELP_CONTENTS = 0x0003;
inline constexpr uint32_t HELP_CONTEXTPOPUP = 0x0008;
inline constexpr uint32_t HELP_FINDER = 0x000B;
inline constexpr uint32_t HELP_WM_HELP = 0x000C;
inline constexpr int32_t HELPINFO_WINDOW = 0x0001;
inline constexpr int32_t HELPINFO_MENUITEM = 0x0002;
#endif
