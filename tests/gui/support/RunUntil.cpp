#include "gui/support/RunUntil.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

bool runUntil(const std::function<bool()>& done, int timeoutMs) {
    if (done()) return true;
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done()) loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    poll.start(10);
    loop.exec();
    return done();
}

void settleEvents() {
    for (int i = 0; i < 3; ++i) QCoreApplication::processEvents();
}
