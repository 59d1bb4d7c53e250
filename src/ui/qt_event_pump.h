#pragma once
#include <QElapsedTimer>
#include <QObject>
#include <functional>
#include <vector>

#include "platform/event_pump.h"

namespace zan::ui {

// The Qt event loop as the core's event pump. A dispatch waits a couple of
// milliseconds for the next event instead of spinning, so a Delay costs
// almost no processor time.
class QtEventPump : public EventPump {
  public:
    QtEventPump();
    double Seconds() override;
    void DispatchPending() override;
    void AddTimer(double intervalSeconds, std::function<void()> callback) override;

  private:
    QElapsedTimer clock_;
    QObject timerOwner_;
};

}  // namespace zan::ui
