#pragma once

#include <QString>

class QComboBox;

// Picks the entry `text` of `list` as the user does: opens the list, moves to
// the entry and presses Enter, also on the entry already shown. Shows the
// list's window first if it is hidden.
void pickEntry(QComboBox* list, const QString& text);
