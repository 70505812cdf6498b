#pragma once

class CMainFrame;

// Log > History...: the audit trail's entries of the log on show, oldest first.
void showLogHistory(CMainFrame& frame);
// Log > Sign...: a signature for the log on show, refused unless it is
// unchanged since the archive recorded it.
void signShownLog(CMainFrame& frame);
