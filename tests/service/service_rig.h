#pragma once
#include <poll.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/test_support.h"
#include "ports/mapped_port.h"
#include "service/log_check.h"
#include "service/log_files.h"
#include "service/log_session.h"
#include "service/posix_device_line.h"
#include "sim/pty_server.h"
#include "sim/simulated_sensor.h"
#include "state/instruments.h"
#include "state/view_codes.h"

namespace zan::test {

// 2026-12-07 23:59:30 UTC: half a minute before the files' first rollover.
constexpr double kBeforeMidnight = 1796687970;

// A clock the test turns: monotonic seconds from 0, UTC from kBeforeMidnight.
struct TurnedClock : ServiceClock {
    double Seconds() override { return now; }
    double UtcSeconds() override { return kBeforeMidnight + now; }
    double now = 0;
};

// The simulated sensor, with what it handed to the pseudo-terminal while the
// port was open kept: what came before the port was opened is not the
// program's to read (it discards it as it opens the line).
struct TappedSensor : sim::SimulatedSensor {
    TappedSensor() : SimulatedSensor(sim::SensorModel::Vsf) {}
    std::string Produce(double now) override {
        std::string out = SimulatedSensor::Produce(now);
        if (port->IsOpen()) sent += out;
        return out;
    }

    const SerialPort* port = nullptr;
    std::string sent;
};

// The lines of a text, split at line feeds with every CR left out: the
// raw log's lines of what a sensor sent, its unfinished last line dropped.
inline Lines ReceivedLines(const std::string& sent) {
    Lines lines(1);
    for (const char c : sent) {
        if (c == '\n')
            lines.emplace_back();
        else if (c != '\r')
            lines.back() += c;
    }
    lines.pop_back();
    return lines;
}

// The data lines of a raw log: those after its three header lines and before "EOF".
inline Lines RawDataLines(const std::filesystem::path& path) {
    Lines lines = ReceivedLines(ReadBytes(path));
    if (lines.size() < 4 || lines.back() != "EOF") return {};
    return Lines(lines.begin() + 3, lines.end() - 1);
}

// zanhost-log's session on a turned clock, reading a simulated VSF through a
// real pseudo-terminal behind a stable name (a link, as /dev/serial/by-id
// holds), which an unplug removes and a replug points at a new terminal. Its
// configuration is read from a file, as zanhost-log reads it.
struct PtyRig {
    static constexpr double kStep = 0.02;

    explicit PtyRig(RecordPublisher publish = {}, std::optional<BrokerConfig> broker = {}) {
        std::filesystem::create_directory(folder / "out");
        WriteBytes(folder / "pump.conf",
                   "instrument = VSF\nport = " + (folder / "adapter").string() +
                       "\ncal = " ZANHOST_SOURCE_DIR "/examples/vsf_cal_info.txt\noutput = " +
                       (folder / "out").string() + "\nsilence = 10\n");
        const LoadedLogConfig loaded = LoadLogConfig((folder / "pump.conf").string());
        EXPECT_TRUE(loaded.problems.empty()) << loaded.problems.front();
        config = loaded.config;
        config.broker = std::move(broker);
        calibration = loaded.calibration;
        device.port = &port;
        Plug();
        session = std::make_unique<LogSession>(
            config, calibration, LogSessionParts{clock, port, messages, std::move(publish)});
    }

    void Plug() {
        pty = std::make_unique<sim::PtyServer>(device);
        std::filesystem::create_symlink(pty->Path(), config.portPath);
    }
    void Unplug() {
        pty.reset();
        std::filesystem::remove(config.portPath);
    }
    // The sensor and the session for the given seconds, the session reading
    // what the terminal carried before it goes on.
    void Run(double seconds) {
        const double end = clock.now + seconds;
        while (clock.now < end) {
            clock.now += kStep;
            if (pty) {
                const bool due = device.NextOutputTime() <= clock.now;
                pty->Step(clock.now);
                pollfd input{line.Descriptor(), POLLIN, 0};
                if (due && input.fd >= 0) ::poll(&input, 1, 100);
            }
            session->Step();
        }
    }
    // Runs until the sensor is between two lines.
    void RunToQuiet() {
        do Run(kStep);
        while (device.NextOutputTime() - clock.now < 0.3);
    }

    // The data lines of both days' raw logs (or recordings), in order.
    Lines LoggedLines(decltype(&RawLogPath) pathOf = RawLogPath) const {
        Lines logged;
        for (const char* period : {"2026-12-07", "2026-12-08"}) {
            const Lines day = RawDataLines(pathOf(config, period));
            logged.insert(logged.end(), day.begin(), day.end());
        }
        return logged;
    }

    TempFolder folder;
    TappedSensor device;
    std::unique_ptr<sim::PtyServer> pty;
    TurnedClock clock;
    LogConfig config;
    std::optional<CalInfoValues> calibration;
    PosixDeviceLine line;
    MappedPort port{line, [] { return std::vector<SerialDevice>(); },
                    PortMap{{{1, (folder / "adapter").string()}}}};
    std::ostringstream messages;
    std::unique_ptr<LogSession> session;
};

}  // namespace zan::test
