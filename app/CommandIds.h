#pragma once

// Command ids of menu 128, toolbar 128 and accelerator table 128.
enum CommandId : int {
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_PAGE_SETUP = 57606,  // Printer Setup
    ID_FILE_PRINT = 57607,
    ID_FILE_PRINT_DIRECT = 57608,  // no menu item: print to the chosen printer without a dialog
    ID_FILE_PRINT_PREVIEW = 57609,
    ID_FILE_MRU_FIRST = 57616,
    ID_FILE_MRU_LAST = 57631,  // the recent-file entries take the ids in between
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_SAVE_EXCEL = 32819,
    ID_SAVE_TXT = 32820,
    ID_SAVE_BMP = 32826,
    ID_SAVE_PDF = 32900,  // the printed report as a PDF file, without a printer
    ID_SAVE_CSV = 32901,
    ID_LIMITS = 32902,      // the Limits pane
    ID_FAHRENHEIT = 32903,  // the View menu's °C / °F choice, checkable
    ID_HISTORY = 32904,     // the audit trail of the log on show
    ID_SIGN = 32905,        // a signature for the log on show
    ID_CONNECT = 32771,
    ID_DISCONNECT = 32772,
    ID_MENU_DOWNLOAD = 32773,  // the Comm menu's "Download(&L)": runs Download
    ID_COM_PORT = 32783,
    ID_SETUP = 32849,
    ID_DOWNLOAD = 32842,
    ID_DELETE = 32843,
    ID_REALTIME = 32841,
    ID_STOP = 32847,
    ID_FILE_LIST = 32807,
    ID_DATA_LIST = 32782,
    ID_QUERY = 32833,
    ID_ORIGINAL = 32827,   // "100%"
    ID_NEXT_PANE = 57680,  // F6
    ID_PREV_PANE = 57681,  // Shift+F6
};
