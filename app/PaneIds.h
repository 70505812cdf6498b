#pragma once

// Pane ids of the main frame.
inline constexpr int kPaneQuery = 144;
inline constexpr int kPaneDataList = 4000;
inline constexpr int kPaneFileList = 132;
inline constexpr int kPaneSetup = 4001;
inline constexpr int kPaneLimits = 4002;
