#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>
#include <vector>

#include "platform/event_pump.h"

namespace zan::ui {

// The Qt event loop as the core's event pump. A dispatch waits a couple of
// milliseconds for the next event instead of spinning, so a Delay costs
// almost no processor time. Whenever the loop is about to sleep, a timer
// whose ticks would do nothing stops; once an event (data at the port, a
// click) has made work for it, it ticks at once and runs again.
class QtEventPump : public EventPump {
  public:
    QtEventPump();
    double Seconds() override;
    void DispatchPending() override;
    void AddTimer(double intervalSeconds, std::function<void()> callback) override;
    void AddIdleTimer(double intervalSeconds, std::function<void()> callback,
                      std::function<bool()> idle) override;

  private:
    struct IdleTimer {
        QTimer* timer;
        std::function<bool()> idle;
    };
    QTimer* StartTimer(double intervalSeconds, std::function<void()> callback);
    void BeforeSleep();
    QElapsedTimer clock_;
    QObject timerOwner_;
    std::vector<IdleTimer> idleTimers_;
};

}  // namespace zan::ui
