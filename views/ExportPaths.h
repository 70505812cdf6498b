#pragma once

#include <optional>
#include <string>
#include <string_view>

class FrameUi;

// Where an export goes: the path the user chose, completed with the format's
// extension, and whether writing there replaces a file.

inline constexpr char kTextExtension[] = ".txt";
inline constexpr char kSpreadsheetExtension[] = ".xls";
inline constexpr char kBitmapExtension[] = ".bmp";

// `chosen` with `extension` appended when its file name (what follows the
// last '/') holds no '.'; a dot in a folder name does not count, so
// "/home/john.doe/report" becomes "/home/john.doe/report.txt" while
// "report.csv" stays as it is.
std::string exportFinalPath(std::string_view chosen, std::string_view extension);

// True when something is at `finalPath` already, so that the user is asked
// before it is replaced. The save dialog only knows the path before the
// extension was added, which is why the question is asked again here.
bool exportReplacesFile(const std::string& finalPath);

// The final path of `chosen`, once the user has been asked through `ui`
// whether a file there may be replaced; std::nullopt when they said no.
std::optional<std::string> exportTarget(std::string_view chosen, std::string_view extension,
                                        FrameUi& ui);
