#include "ui/qt_event_pump.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace zan::ui {
namespace {

// The longest a dispatch waits for an event to arrive.
constexpr int kDispatchWaitMs = 2;

}  // namespace

QtEventPump::QtEventPump() { clock_.start(); }

double QtEventPump::Seconds() { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }

void QtEventPump::DispatchPending() {
    // A short single-shot timer guarantees the wait ends even when nothing happens.
    QTimer::singleShot(kDispatchWaitMs, Qt::PreciseTimer, &timerOwner_, [] {});
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::AddTimer(double intervalSeconds, std::function<void()> callback) {
    auto* timer = new QTimer(&timerOwner_);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(static_cast<int>(std::lround(intervalSeconds * 1000)));
    QObject::connect(timer, &QTimer::timeout, &timerOwner_, std::move(callback));
    timer->start();
}

}  // namespace zan::ui
