// Resource and command identifiers of Kolbrin. One header for every id the
// menus, toolbar, accelerators, dialogs, string table and bitmaps use.
#pragma once

#include <cstdint>

namespace res {
using Id = std::uint32_t;
}

// Shared main-frame id: menu, toolbar, accelerators, icon, document string.
inline constexpr res::Id IDR_MAINFRAME = 128;
inline constexpr res::Id IDR_TREE_CONTEXT = 133;  // context menu of the drive tree

// Strings
inline constexpr res::Id IDS_DOCSTRING = 128;
inline constexpr res::Id IDS_EXCEL_FAILED = 129;      // "Excel kann nicht ausgeführt werden."
inline constexpr res::Id IDS_APP_TITLE = 130;         // title of every message box
inline constexpr res::Id IDS_FILE_ERROR = 131;        // "Dateifehler: %s"
inline constexpr res::Id IDS_EXPORT_ALL = 132;        // "Alle Datensätzen  (Anzahl = %d)"
inline constexpr res::Id IDS_EXPORT_SELECTED = 133;   // "Alle markierten Datensätze  (Anzahl = %d)"
inline constexpr res::Id AFX_IDS_APP_TITLE = 57344;
inline constexpr res::Id AFX_IDS_IDLEMESSAGE = 57345;
inline constexpr res::Id IDS_OUT_OF_MEMORY = 61000;   // "nicht genug Speicher"
inline constexpr res::Id IDS_INTERNAL_ERROR = 61002;  // a command failed for a reason of its own
inline constexpr res::Id IDS_INDICATOR_CAPS = 59137;  // "UF"
inline constexpr res::Id IDS_INDICATOR_NUM = 59138;   // "NUM"
inline constexpr res::Id IDS_INDICATOR_SCRL = 59139;  // "RF"
inline constexpr res::Id IDS_NO_DISPLAY = 61001;      // start without a display
inline constexpr res::Id IDS_EXPORT_FILTER = 61003;   // save dialog filter: description|patterns||
inline constexpr res::Id IDS_NAME_DRIVE_TREE = 61010; // accessible names of the panes
inline constexpr res::Id IDS_NAME_FILE_LIST = 61011;
inline constexpr res::Id IDS_NAME_DIR_LIST = 61012;
inline constexpr res::Id IDS_NAME_TOOLBAR = 61013;
inline constexpr res::Id IDS_NAME_STATUSBAR = 61014;
inline constexpr res::Id IDS_PRINT_PAGE = 61020;      // "Seite: %2d"
inline constexpr res::Id IDS_PRINT_FAILED = 61021;    // the printer could not start

// Waiting for the file system
inline constexpr res::Id IDS_WAITING_FOR = 61600;     // pane 0 while a call takes long
inline constexpr res::Id IDS_FILEERR_NOT_ANSWERING = 61601;  // the drive hangs

// Drive type texts of the drive information window (61100 + drive type)
inline constexpr res::Id IDS_DRIVETYPE_BASE = 61100;
// File-system property lines of the drive information window
inline constexpr res::Id IDS_FSFLAG_CASE_SENSITIVE = 61110;
inline constexpr res::Id IDS_FSFLAG_CASE_PRESERVED = 61111;
inline constexpr res::Id IDS_FSFLAG_UNICODE = 61112;
inline constexpr res::Id IDS_FSFLAG_ACLS = 61113;
inline constexpr res::Id IDS_FSFLAG_FILE_COMPRESSION = 61114;
inline constexpr res::Id IDS_FSFLAG_VOLUME_COMPRESSION = 61115;

// Column headings of the lists
inline constexpr res::Id IDS_FILECOL_BASE = 61200;  // 6 headings of the file list
inline constexpr res::Id IDS_DIRCOL_BASE = 61210;   // 6 headings of the directory list

// Commands
inline constexpr res::Id ID_VIEW_LARGEICON = 110;
inline constexpr res::Id ID_VIEW_SMALLICON = 111;
inline constexpr res::Id ID_VIEW_LIST = 112;
inline constexpr res::Id ID_VIEW_DETAILS = 113;
inline constexpr res::Id ID_VIEW_DIRSCAN = 32774;
inline constexpr res::Id ID_VIEW_DRIVEINFO = 32776;
inline constexpr res::Id ID_EXPORT_FILE = 32779;
inline constexpr res::Id ID_EXPORT_EXCEL = 32780;
inline constexpr res::Id ID_FILE_NEW = 57600;
inline constexpr res::Id ID_FILE_OPEN = 57601;
inline constexpr res::Id ID_FILE_PRINT_SETUP = 57606;
inline constexpr res::Id ID_FILE_PRINT = 57607;
inline constexpr res::Id ID_FILE_PRINT_PREVIEW = 57609;
inline constexpr res::Id ID_APP_ABOUT = 57664;
inline constexpr res::Id ID_APP_EXIT = 57665;
inline constexpr res::Id ID_NEXT_PANE = 57680;
inline constexpr res::Id ID_PREV_PANE = 57681;
inline constexpr res::Id ID_VIEW_TOOLBAR = 59392;
inline constexpr res::Id ID_VIEW_STATUS_BAR = 59393;
inline constexpr res::Id AFX_IDS_PREVIEW_CLOSE = 61445;
inline constexpr res::Id ID_SEPARATOR = 0;

// Dialog templates and their controls
inline constexpr res::Id IDD_ABOUTBOX = 100;
inline constexpr res::Id IDD_DRIVEINFO = 134;
inline constexpr res::Id IDD_EXPORT_SELECT = 135;
inline constexpr res::Id IDC_OK = 1;
inline constexpr res::Id IDC_CANCEL = 2;
inline constexpr res::Id IDC_UNNAMED = static_cast<res::Id>(-1);  // labels and frames
inline constexpr res::Id IDC_LIST_DRIVES = 1000;
inline constexpr res::Id IDC_EDIT_VOLUMENAME = 1002;
inline constexpr res::Id IDC_EDIT_SERIAL = 1003;
inline constexpr res::Id IDC_EDIT_FILESYSTEM = 1004;
inline constexpr res::Id IDC_EDIT_MAXNAMELEN = 1005;
inline constexpr res::Id IDC_EDIT_FLAGS = 1006;
inline constexpr res::Id IDC_EDIT_SECTORS = 1007;
inline constexpr res::Id IDC_EDIT_BYTES = 1008;
inline constexpr res::Id IDC_EDIT_FREECLUSTERS = 1009;
inline constexpr res::Id IDC_EDIT_TOTALCLUSTERS = 1010;
inline constexpr res::Id IDC_RADIO_ALLE = 1007;
inline constexpr res::Id IDC_RADIO_SEL = 1008;

// Bitmaps and icon
inline constexpr res::Id IDB_TOOLBAR = 128;
inline constexpr res::Id IDB_FILE_SMALL = 130;
inline constexpr res::Id IDB_FILE_LARGE = 131;
inline constexpr res::Id IDB_TREE_IMAGES = 132;
inline constexpr res::Id IDI_MAINFRAME = 128;

// Descriptions of file errors in "Dateifehler: %s", one per cause a user
// meets; other causes are described by the system
inline constexpr res::Id IDS_FILEERR_PERMISSION = 61300;
inline constexpr res::Id IDS_FILEERR_NO_FOLDER = 61301;
inline constexpr res::Id IDS_FILEERR_NO_SPACE = 61302;
inline constexpr res::Id IDS_FILEERR_QUOTA = 61303;
inline constexpr res::Id IDS_FILEERR_READ_ONLY_VOLUME = 61304;
inline constexpr res::Id IDS_FILEERR_NAME_TOO_LONG = 61305;
inline constexpr res::Id IDS_FILEERR_IS_FOLDER = 61306;
inline constexpr res::Id IDS_FILEERR_IO = 61307;
inline constexpr res::Id IDS_FILEERR_BUSY = 61308;
inline constexpr res::Id IDS_FILEERR_TOO_MANY_OPEN = 61309;
inline constexpr res::Id IDS_FILEERR_INVALID_NAME = 61310;
// What the workbook writer reports
inline constexpr res::Id IDS_XLSX_CANNOT_CREATE = 61320;
inline constexpr res::Id IDS_XLSX_TEMPORARY_FILE = 61321;
inline constexpr res::Id IDS_XLSX_PACKING = 61322;
inline constexpr res::Id IDS_XLSX_TEXT_TOO_LONG = 61323;
inline constexpr res::Id IDS_XLSX_OUT_OF_RANGE = 61324;
inline constexpr res::Id IDS_XLSX_OTHER = 61325;  // with the writer's error number
// Command line, printer setup (61400-61499)
inline constexpr res::Id IDS_CMDLINE_DESCRIPTION = 61400;     // the help text's first line
inline constexpr res::Id IDS_CMDLINE_DIRECTORY = 61401;       // name of the argument
inline constexpr res::Id IDS_CMDLINE_DIRECTORY_HELP = 61402;  // what the argument does
inline constexpr res::Id IDS_CMDLINE_MISSING = 61403;         // %1: the argument as given
inline constexpr res::Id IDS_CMDLINE_NOT_A_DIRECTORY = 61404; // %1: the argument as given
inline constexpr res::Id IDS_CMDLINE_TOO_MANY = 61405;        // more than one directory
inline constexpr res::Id IDS_CMDLINE_HELP = 61406;            // what --help does
inline constexpr res::Id IDS_PRINT_SETUP_TITLE = 61410;       // title of the printer setup dialog
inline constexpr res::Id IDS_PRINT_SETUP_OK = 61411;          // its accepting button
inline constexpr res::Id IDS_CMDLINE_USAGE = 61412;           // %1: program, %2: argument name
inline constexpr res::Id IDS_CMDLINE_OPTIONS = 61413;         // heading of the options
inline constexpr res::Id IDS_CMDLINE_ARGUMENTS = 61414;       // heading of the arguments
inline constexpr res::Id IDS_CMDLINE_VERSION = 61415;         // what --version does
inline constexpr res::Id IDS_CMDLINE_UNKNOWN_OPTION = 61416;  // %1: the option as given
// The print preview's window and its buttons (61420-61439)
inline constexpr res::Id IDS_PREVIEW_TITLE = 61420;
inline constexpr res::Id IDS_PREVIEW_FIRST = 61421;
inline constexpr res::Id IDS_PREVIEW_PREVIOUS = 61422;
inline constexpr res::Id IDS_PREVIEW_NEXT = 61423;
inline constexpr res::Id IDS_PREVIEW_LAST = 61424;
inline constexpr res::Id IDS_PREVIEW_OF = 61425;  // after the page number; %1: the page count
inline constexpr res::Id IDS_PREVIEW_ZOOM_OUT = 61426;
inline constexpr res::Id IDS_PREVIEW_ZOOM_IN = 61427;
inline constexpr res::Id IDS_PREVIEW_PRINT = 61428;
inline constexpr res::Id IDS_PREVIEW_CLOSE = 61429;
inline constexpr res::Id IDS_PREVIEW_TWO_PAGES = 61430;   // shows two pages side by side
inline constexpr res::Id IDS_PREVIEW_ONE_PAGE = 61431;    // back to one page
inline constexpr res::Id IDS_PREVIEW_NO_PRINTER = 61432;  // no printer to lay the pages out for
