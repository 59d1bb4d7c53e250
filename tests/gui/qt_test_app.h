#pragma once
#include <QApplication>
#include <QEventLoop>
#include <QTimer>

namespace zan::ui::test {

// One QApplication for the whole test program, made on first use.
inline QApplication& App() {
    static int argc = 1;
    static char name[] = "zanhost_gui_tests";
    static char* argv[] = {name, nullptr};
    // The event loop zanhost runs on.
    qputenv("QT_NO_GLIB", "1");
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

// Runs the Qt event loop for the given real milliseconds.
inline void RunEventLoop(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace zan::ui::test
