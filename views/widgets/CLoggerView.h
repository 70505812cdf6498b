#pragma once

#include <QWidget>

// The chart view in the middle of the main frame. Blank until the chart is
// drawn into it.
class CLoggerView : public QWidget {
    Q_OBJECT

public:
    explicit CLoggerView(QWidget* parent = nullptr);
};
