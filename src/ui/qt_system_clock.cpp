#include "ui/qt_system_clock.h"

#include <QDateTime>
#include <QLocale>

namespace zan::ui {

LocalDateTime QtSystemClock::Now() {
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return {d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second()};
}

std::string QtSystemClock::ShortDatePattern() {
    return QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();
}

}  // namespace zan::ui
