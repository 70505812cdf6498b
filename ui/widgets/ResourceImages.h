#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QSize>

class QAbstractButton;
class QWidget;

// Resource ids of the program's pictures.
inline constexpr int kAppIcon = 128;     // application and document icon
inline constexpr int kZoomCursor = 104;  // chart cursor, hot spot at (0, 0)
inline constexpr int kOkBitmap = 175;    // 24 x 24
inline constexpr int kExitBitmap = 177;  // 24 x 24
inline constexpr int kStatusIcon = 190;  // 16 x 16, status bar pane 1
inline constexpr int kAutoBitmap = 196;  // 24 x 24, COM Setup's Auto
inline constexpr int kReadBitmap = 202;  // 21 x 21, Setup pane's Read
inline constexpr int kSyncBitmap = 203;  // 21 x 21, Setup pane's Sync

// Pictures of the file tree (bitmap strip 159), by index.
inline constexpr int kTreeRoot = 0;
inline constexpr int kTreeGroup = 1;
inline constexpr int kTreeFile = 3;
inline constexpr int kTreeFileSelected = 4;

// The picture of a resource id above; a null icon for an unknown id.
QIcon resourceIcon(int id);
// Tree picture kTreeRoot, kTreeGroup, kTreeFile or kTreeFileSelected; a
// null icon for any other index.
QIcon treeIcon(int index);
// The picture at a resource path (":/res/..."); a null icon for nullptr.
QIcon pictureIcon(const char* path);
// A resource picture drawn at `size`; a null pixmap for an unknown id.
QPixmap resourcePixmap(int id, QSize size);
// Gives a button the picture of a resource id at the picture's own size (the
// toolkit's bitmap button: 24 x 24 for 175, 177, 196; 21 x 21 for 202, 203).
void setButtonPicture(QAbstractButton* button, int id);
// Cursor 104 with its hot spot; the system arrow for any other id.
QCursor resourceCursor(int id);

// Dialog units to pixels for `widget`'s font: x = average character width *
// dluX / 4, y = font height * dluY / 8.
QSize dialogUnits(const QWidget* widget, int dluX, int dluY);
