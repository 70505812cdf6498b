#include "ui/widgets/ResourceImages.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QPainter>
#include <QString>
#include <QSvgRenderer>
#include <QWidget>

// The pictures are compiled into the static GUI library; its resource table
// has to be registered by hand, outside any namespace.
static void registerResources() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(dravin);
        return true;
    }();
    (void)registered;
}

namespace {

struct Picture {
    int id;
    const char* path;
    int size;  // its own width and height in pixels
};

constexpr Picture kResourcePictures[] = {
    {kAppIcon, ":/res/dravin.svg", 64},     {kZoomCursor, ":/res/cursor104.svg", 32},
    {kOkBitmap, ":/res/bmp175.svg", 24},    {kExitBitmap, ":/res/bmp177.svg", 24},
    {kStatusIcon, ":/res/icon190.svg", 16}, {kAutoBitmap, ":/res/bmp196.svg", 24},
    {kReadBitmap, ":/res/bmp202.svg", 21},  {kSyncBitmap, ":/res/bmp203.svg", 21},
};

constexpr Picture kTreePictures[] = {
    {kTreeRoot, ":/res/tree/root.svg", 16},
    {kTreeGroup, ":/res/tree/group.svg", 16},
    {kTreeFile, ":/res/tree/file.svg", 16},
    {kTreeFileSelected, ":/res/tree/file_selected.svg", 16},
};

template <size_t N>
const Picture* findPicture(const Picture (&table)[N], int id) {
    for (const Picture& picture : table) {
        if (picture.id == id) return &picture;
    }
    return nullptr;
}

template <size_t N>
const char* findPath(const Picture (&table)[N], int id) {
    const Picture* picture = findPicture(table, id);
    return picture != nullptr ? picture->path : nullptr;
}

QIcon iconAt(const char* path) {
    if (path == nullptr) return {};
    registerResources();
    return QIcon(QString::fromLatin1(path));
}

}  // namespace

QIcon resourceIcon(int id) {
    return iconAt(findPath(kResourcePictures, id));
}

QIcon treeIcon(int index) {
    return iconAt(findPath(kTreePictures, index));
}

QIcon pictureIcon(const char* path) {
    return iconAt(path);
}

QPixmap resourcePixmap(int id, QSize size) {
    const char* path = findPath(kResourcePictures, id);
    if (path == nullptr || size.isEmpty()) return {};
    registerResources();
    // Drawn straight from the picture so that the pixmap has exactly the size
    // asked for, whatever the screen's pixel ratio.
    QSvgRenderer renderer(QString::fromLatin1(path));
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

void setButtonPicture(QAbstractButton* button, int id) {
    const Picture* picture = findPicture(kResourcePictures, id);
    if (picture == nullptr) return;
    button->setIcon(iconAt(picture->path));
    button->setIconSize(QSize(picture->size, picture->size));
}

QCursor resourceCursor(int id) {
    if (id != kZoomCursor) return QCursor(Qt::ArrowCursor);
    return QCursor(resourcePixmap(kZoomCursor, QSize(32, 32)), 0, 0);
}

QSize dialogUnits(const QWidget* widget, int dluX, int dluY) {
    const QFontMetrics metrics = widget->fontMetrics();
    return QSize(metrics.averageCharWidth() * dluX / 4, metrics.height() * dluY / 8);
}
