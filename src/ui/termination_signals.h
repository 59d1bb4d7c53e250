#pragma once

class QCoreApplication;

namespace zan::ui {

// Ends the program through its event loops on SIGTERM, SIGINT and SIGHUP, so
// the recording file and the raw log are synced and closed as at a normal
// exit instead of being cut off with their last seconds unsynced.
void QuitOnTerminationSignals(QCoreApplication& app);

}  // namespace zan::ui
