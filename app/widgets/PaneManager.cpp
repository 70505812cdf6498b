#include "app/widgets/PaneManager.h"

#include <QDockWidget>
#include <QMainWindow>

#include "ui/widgets/WindowTexts.h"

PaneManager::PaneManager(QMainWindow& window, PaneHost& host, std::span<const PaneRow> rows,
                         int firstShown)
    : window_(window), host_(host) {
    panes_.reserve(rows.size());
    for (const PaneRow& row : rows) {
        auto* dock = new QDockWidget(windowText(row.caption), &window_);
        dock->setObjectName(QString("pane%1").arg(row.id));
        window_.addDockWidget(Qt::LeftDockWidgetArea, dock);
        panes_.push_back({&row, dock, row.width});
    }
    // Connected once the list stands: a slot's place no longer moves.
    for (Slot& slot : panes_) {
        connect(slot.dock, &QDockWidget::visibilityChanged, this, [this, &slot](bool visible) {
            if (visible) createContent(slot);
        });
    }
    for (const Slot& slot : panes_) {
        if (slot.row->id != firstShown) slot.dock->close();
    }
}

PaneManager::Slot* PaneManager::find(int paneId) {
    for (Slot& slot : panes_) {
        if (slot.row->id == paneId) return &slot;
    }
    return nullptr;
}

const PaneManager::Slot* PaneManager::find(int paneId) const {
    return const_cast<PaneManager*>(this)->find(paneId);
}

QDockWidget* PaneManager::pane(int paneId) const {
    const Slot* slot = find(paneId);
    return slot ? slot->dock : nullptr;
}

QWidget* PaneManager::content(int paneId) const {
    const Slot* slot = find(paneId);
    return slot ? slot->content : nullptr;
}

void PaneManager::showAlone(int paneId) {
    Slot* shown = nullptr;
    for (Slot& slot : panes_) {
        // Each pane keeps its own width: the left edge must not hand the
        // width of the pane closed now to the pane shown next.
        if (slot.dock->isVisible() && !slot.dock->isFloating()) slot.width = slot.dock->width();
        slot.dock->close();
        if (slot.row->id == paneId) shown = &slot;
    }
    if (!shown) return;
    QDockWidget* dock = shown->dock;
    dock->show();
    if (!dock->isFloating()) window_.resizeDocks({dock}, {shown->width}, Qt::Horizontal);
    dock->raise();
    if (dock->widget()) dock->widget()->setFocus(Qt::OtherFocusReason);
}

void PaneManager::tell(int paneId, PaneMove move) {
    Slot* slot = find(paneId);
    if (!slot) return;
    if (slot->content) {
        slot->content->takeMove(move);
    } else if (slot->row->keptMoves & paneMoveBit(move)) {
        slot->keptMoves |= paneMoveBit(move);
    }
}

void PaneManager::createContent(Slot& slot) {
    if (slot.content) return;
    slot.content = slot.row->make(host_, slot.dock);
    slot.dock->setWidget(slot.content);
    for (unsigned bit = 0; slot.keptMoves >> bit; ++bit) {
        if (slot.keptMoves & (1u << bit)) slot.content->takeMove(static_cast<PaneMove>(bit));
    }
    slot.keptMoves = 0;
    window_.resizeDocks({slot.dock}, {slot.width}, Qt::Horizontal);
}
