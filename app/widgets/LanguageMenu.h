#pragma once

class FrameUi;
class QMenu;

// View > Language: "System", "English", "中文", one of them checked. A choice
// is kept in the profile and takes effect at the next start, which the user
// is told in a message.
QMenu* addLanguageMenu(QMenu& viewMenu, FrameUi& ui);
