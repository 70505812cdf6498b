#pragma once

#include <span>

#include "ui/widgets/PaneWidget.h"

// The main frame's docking panes, in the order they are made.
std::span<const PaneRow> paneTable();
