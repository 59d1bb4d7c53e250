#include "ui/qt_event_pump.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace zan::ui {
namespace {

// The longest a dispatch waits for an event to arrive.
constexpr int kDispatchWaitMs = 2;

}  // namespace

QtEventPump::QtEventPump() {
    clock_.start();
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &timerOwner_,
                         [this] { BeforeSleep(); });
}

double QtEventPump::Seconds() { return static_cast<double>(clock_.nsecsElapsed()) / 1e9; }

void QtEventPump::DispatchPending() {
    // A short single-shot timer guarantees the wait ends even when nothing happens.
    QTimer::singleShot(kDispatchWaitMs, Qt::PreciseTimer, &timerOwner_, [] {});
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

void QtEventPump::AddTimer(double intervalSeconds, std::function<void()> callback) {
    StartTimer(intervalSeconds, std::move(callback));
}

void QtEventPump::AddIdleTimer(double intervalSeconds, std::function<void()> callback,
                               std::function<bool()> idle) {
    QTimer* timer = StartTimer(intervalSeconds, std::move(callback));
    const int intervalMs = timer->interval();
    // A tick run early when woken keeps the timer's interval for the ticks after it.
    QObject::connect(timer, &QTimer::timeout, &timerOwner_, [timer, intervalMs] {
        if (timer->interval() != intervalMs) timer->setInterval(intervalMs);
    });
    idleTimers_.push_back({timer, std::move(idle)});
}

QTimer* QtEventPump::StartTimer(double intervalSeconds, std::function<void()> callback) {
    auto* timer = new QTimer(&timerOwner_);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(static_cast<int>(std::lround(intervalSeconds * 1000)));
    QObject::connect(timer, &QTimer::timeout, &timerOwner_, std::move(callback));
    timer->start();
    return timer;
}

void QtEventPump::BeforeSleep() {
    // Every event that can make work for a timer wakes the loop and passes
    // here again before the next sleep. A timer that was held back ticks at
    // once: its ticks only had nothing to do, so the data that woke the loop
    // is read in this wake rather than in a second one moments later.
    for (const IdleTimer& t : idleTimers_) {
        if (t.idle())
            t.timer->stop();
        else if (!t.timer->isActive())
            t.timer->start(0);
    }
}

}  // namespace zan::ui
