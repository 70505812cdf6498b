#include "app/widgets/CommandTable.h"

#include "app/widgets/WindowTexts.h"

namespace {

constexpr CommandSpec kCommands[] = {
    {ID_FILE_OPEN, QT_TRANSLATE_NOOP("Dravin", "Open(&O)...\tCtrl+O"), 1,
     QT_TRANSLATE_NOOP("Dravin", "Open\nOpen")},
    {ID_FILE_SAVE_AS, QT_TRANSLATE_NOOP("Dravin", "Save As(&S)"), 2,
     QT_TRANSLATE_NOOP("Dravin", "Save As\nSave As")},
    {ID_SAVE_EXCEL, QT_TRANSLATE_NOOP("Dravin", "Save to &Excel...\tCtrl+E"), 16,
     QT_TRANSLATE_NOOP("Dravin", "Save to Excel\nEXCEL")},
    {ID_SAVE_TXT, QT_TRANSLATE_NOOP("Dravin", "Save to &Txt...\tCtrl+T"), 17,
     QT_TRANSLATE_NOOP("Dravin", "Save to Txt\nTXT")},
    {ID_SAVE_BMP, QT_TRANSLATE_NOOP("Dravin", "Save to &BMP...\tCtrl+J"), 18,
     QT_TRANSLATE_NOOP("Dravin", "Save to BMP\nBMP")},
    {ID_SAVE_PDF, QT_TRANSLATE_NOOP("Dravin", "Save to P&DF..."), 0,
     QT_TRANSLATE_NOOP("Dravin", "Save the report as a PDF file\nPDF")},
    {ID_SAVE_CSV, QT_TRANSLATE_NOOP("Dravin", "Save to CSV..."), 0,
     QT_TRANSLATE_NOOP("Dravin", "Save to CSV\nCSV")},
    {ID_FILE_PRINT, QT_TRANSLATE_NOOP("Dravin", "Print(&P)...\tCtrl+P"), 3,
     QT_TRANSLATE_NOOP("Dravin", "Print\nPrint")},
    {ID_FILE_PRINT_PREVIEW, QT_TRANSLATE_NOOP("Dravin", "Print Preview(&V)"), 4,
     QT_TRANSLATE_NOOP("Dravin", "Preview\nPreview")},
    {ID_FILE_PAGE_SETUP, QT_TRANSLATE_NOOP("Dravin", "Printer Setup(&R)..."), 0,
     QT_TRANSLATE_NOOP("Dravin", "Printer\nPrinter")},
    {ID_FILE_MRU_FIRST, QT_TRANSLATE_NOOP("Dravin", "Recent"), 0,
     QT_TRANSLATE_NOOP("Dravin", "Open this document")},
    {ID_APP_EXIT, QT_TRANSLATE_NOOP("Dravin", "Exit(&X)"), 0,
     QT_TRANSLATE_NOOP("Dravin", "Exit\nExit")},
    {ID_CONNECT, QT_TRANSLATE_NOOP("Dravin", "Connect(&C)"), 5,
     QT_TRANSLATE_NOOP("Dravin", "Connect\nConnect")},
    {ID_DISCONNECT, QT_TRANSLATE_NOOP("Dravin", "Disconnect(&D)"), 6,
     QT_TRANSLATE_NOOP("Dravin", "Disconnect\nDisconnect")},
    {ID_COM_PORT, QT_TRANSLATE_NOOP("Dravin", "Com Port(&T)"), 0,
     QT_TRANSLATE_NOOP("Dravin", "Comm\nComm")},
    {ID_MENU_DOWNLOAD, QT_TRANSLATE_NOOP("Dravin", "Download(&L)"), 0,
     QT_TRANSLATE_NOOP("Dravin", "Download\nDownload")},
    {ID_SETUP, QT_TRANSLATE_NOOP("Dravin", "Setup(&P)"), 7, QT_TRANSLATE_NOOP("Dravin", "Setup")},
    {ID_DOWNLOAD, nullptr, 8, QT_TRANSLATE_NOOP("Dravin", "Download\nDownload")},
    {ID_DELETE, QT_TRANSLATE_NOOP("Dravin", "Delete(&E)"), 9,
     QT_TRANSLATE_NOOP("Dravin", "Delete\nDelete")},
    {ID_REALTIME, QT_TRANSLATE_NOOP("Dravin", "Realtime(&R)"), 10,
     QT_TRANSLATE_NOOP("Dravin", "Realtime\nRealtime")},
    {ID_STOP, QT_TRANSLATE_NOOP("Dravin", "Stop(&S)"), 11,
     QT_TRANSLATE_NOOP("Dravin", "Stop\nStop")},
    {ID_FILE_LIST, QT_TRANSLATE_NOOP("Dravin", "File List(&F)"), 12,
     QT_TRANSLATE_NOOP("Dravin", "File List")},
    {ID_DATA_LIST, QT_TRANSLATE_NOOP("Dravin", "Data List(&A)"), 13,
     QT_TRANSLATE_NOOP("Dravin", "Data List")},
    {ID_QUERY, QT_TRANSLATE_NOOP("Dravin", "Query(&Q)"), 14, QT_TRANSLATE_NOOP("Dravin", "Query")},
    {ID_ORIGINAL, QT_TRANSLATE_NOOP("Dravin", "100%(100%)"), 15,
     QT_TRANSLATE_NOOP("Dravin", "Original")},
    {ID_LIMITS, QT_TRANSLATE_NOOP("Dravin", "Limits"), 0, QT_TRANSLATE_NOOP("Dravin", "Limits")},
    {ID_FAHRENHEIT, QT_TRANSLATE_NOOP("Dravin", "Temperatures in °F"), 0,
     QT_TRANSLATE_NOOP("Dravin", "Show temperatures in °F\n°F")},
    {ID_APP_ABOUT, QT_TRANSLATE_NOOP("Dravin", "About Dravin(&A)..."), 19,
     QT_TRANSLATE_NOOP("Dravin", "About Dravin\nAbout")},
};

constexpr int kFileMenu[] = {ID_FILE_OPEN,  ID_FILE_SAVE_AS,       kSeparator,
                             ID_SAVE_EXCEL, ID_SAVE_TXT,           ID_SAVE_CSV,
                             ID_SAVE_BMP,   ID_SAVE_PDF,           kSeparator,
                             ID_FILE_PRINT, ID_FILE_PRINT_PREVIEW, ID_FILE_PAGE_SETUP,
                             kSeparator,    ID_FILE_MRU_FIRST,     kSeparator,
                             ID_APP_EXIT};
// The logger commands of the toolbar are here too, for keyboard and menu users.
constexpr int kCommMenu[] = {ID_CONNECT, ID_DISCONNECT, ID_COM_PORT, kSeparator, ID_MENU_DOWNLOAD,
                             ID_DELETE,  ID_REALTIME,   ID_STOP,     ID_SETUP};
constexpr int kLogMenu[] = {ID_FILE_LIST, ID_DATA_LIST, ID_QUERY,
                            ID_LIMITS,    kSeparator,   ID_ORIGINAL};
constexpr int kViewMenu[] = {ID_FAHRENHEIT};
constexpr int kAboutMenu[] = {ID_APP_ABOUT};

constexpr MenuSpec kMenus[] = {
    {QT_TRANSLATE_NOOP("Dravin", "File(&F)"), kFileMenu},
    {QT_TRANSLATE_NOOP("Dravin", "Comm(&C)"), kCommMenu},
    {QT_TRANSLATE_NOOP("Dravin", "Log(&D)"), kLogMenu},
    {QT_TRANSLATE_NOOP("Dravin", "View(&V)"), kViewMenu},
    {QT_TRANSLATE_NOOP("Dravin", "About(&A)"), kAboutMenu},
};

// The keys of accelerator table 128 whose commands have a handler (Save and
// the edit commands have none, and there is no help file), and the keys that
// the export captions name.
constexpr AcceleratorSpec kAccelerators[] = {
    {ID_FILE_NEW, "Ctrl+N"},   {ID_FILE_OPEN, "Ctrl+O"},   {ID_FILE_PRINT, "Ctrl+P"},
    {ID_SAVE_EXCEL, "Ctrl+E"}, {ID_SAVE_TXT, "Ctrl+T"},    {ID_SAVE_BMP, "Ctrl+J"},
    {ID_NEXT_PANE, "F6"},      {ID_PREV_PANE, "Shift+F6"},
};

constexpr int kToolbarSeparators[] = {4, 11, 15, 18};

}  // namespace

std::span<const CommandSpec> commandTable() {
    return kCommands;
}

const CommandSpec* findCommand(int id) {
    for (const CommandSpec& command : kCommands) {
        if (command.id == id) return &command;
    }
    return nullptr;
}

std::span<const MenuSpec> menuTable() {
    return kMenus;
}
std::span<const AcceleratorSpec> acceleratorTable() {
    return kAccelerators;
}
std::span<const int> toolbarSeparators() {
    return kToolbarSeparators;
}

std::string_view statusPrompt(const CommandSpec& command) {
    std::string_view text = command.resource;
    return text.substr(0, text.find('\n'));
}

QString statusPromptText(const CommandSpec& command) {
    const QString text = windowText(command.resource);
    return text.left(text.indexOf('\n'));
}

QString shortNameText(const CommandSpec& command) {
    const QString text = windowText(command.resource);
    const qsizetype newline = text.indexOf('\n');
    return newline < 0 ? text : text.mid(newline + 1);
}

std::string_view shortName(const CommandSpec& command) {
    std::string_view text = command.resource;
    size_t newline = text.find('\n');
    return newline == std::string_view::npos ? text : text.substr(newline + 1);
}
