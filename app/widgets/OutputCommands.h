#pragma once

class CMainFrame;

// The commands that put the log out of the program: the four exports, the
// PDF report, printing and the print preview. Each writes what the store
// holds now, so after a zoom or a query only the kept records.

void exportText(CMainFrame& frame);
void exportSpreadsheet(CMainFrame& frame);
// Values of "oC" channels in °F while °F is chosen, as the window shows them.
void exportCsv(CMainFrame& frame);
void exportBitmap(CMainFrame& frame);
void saveReportPdf(CMainFrame& frame);
// With the print dialog, or straight to the chosen printer.
void printReport(CMainFrame& frame, bool withDialog);
void previewReport(CMainFrame& frame);
