#include "sim/simulated_sensor.h"

#include <gtest/gtest.h>

#include <string>

namespace zan::sim {
namespace {

// Everything the sensor sends from `from` to `to` seconds, polled every millisecond.
std::string Collect(SimulatedSensor& sensor, double from, double to) {
    std::string out;
    for (double t = from; t <= to + 1e-9; t += 0.001) out += sensor.Produce(t);
    return out;
}

int Lines(const std::string& text) {
    int count = 0;
    for (size_t pos = text.find("\r\n"); pos != std::string::npos; pos = text.find("\r\n", pos + 2))
        ++count;
    return count;
}

TEST(SimulatedSensor, WakesOnTheFallingEdgeOfDtrWithItsFirmwareLine) {
    SimulatedSensor sensor(SensorModel::Dfl);
    Collect(sensor, 0, 1.2);
    sensor.OnDtr(true, 1.2);
    const std::string during = Collect(sensor, 1.201, 1.7);
    sensor.OnDtr(false, 1.7);
    const std::string after = Collect(sensor, 1.701, 2.65);
    EXPECT_EQ(during.find("DFL 2.10"), std::string::npos);
    EXPECT_EQ(after, "DFL DFL 2.10\r\n");
    // The fluorometer measures once per tick of its time count, 1.33 s.
    EXPECT_EQ(Lines(Collect(sensor, 2.651, 3.2)), 1);
}

TEST(SimulatedSensor, StopsAtAPromptOnCAndRunsAgainOnR) {
    SimulatedSensor sensor(SensorModel::Vsf);
    Collect(sensor, 0, 0.5);
    sensor.OnWrite("c", 0.5);
    EXPECT_FALSE(sensor.Streaming());
    EXPECT_EQ(Collect(sensor, 0.501, 4.5), "\r\n>");

    sensor.OnWrite("r", 4.5);
    EXPECT_TRUE(sensor.Streaming());
    EXPECT_TRUE(Collect(sensor, 4.501, 5.4).empty());
    EXPECT_EQ(Lines(Collect(sensor, 5.401, 7.6)), 3);

    sensor.OnWrite("C", 7.6);
    EXPECT_FALSE(sensor.Streaming());
    EXPECT_EQ(Collect(sensor, 7.601, 10.0), "\r\n>");
    EXPECT_EQ(sensor.Received(), "crC");
}

TEST(SimulatedSensor, ASilentSensorIgnoresDtrUntilItsPowerIsCycledAndAnAbsentOneSendsNothing) {
    SimulatedSensor sensor(SensorModel::Tria, SimulatedSensor::Behaviour::SilentUntilPowerCycled);
    sensor.OnDtr(true, 0.1);
    sensor.OnDtr(false, 0.6);
    sensor.OnWrite("C", 0.7);
    EXPECT_EQ(Collect(sensor, 0.601, 1.5).find("TRIA VSF 1.02"), std::string::npos);
    sensor.PowerOff(1.5);
    EXPECT_TRUE(Collect(sensor, 1.501, 3.0).empty());
    sensor.PowerOn(3.0);
    EXPECT_EQ(Collect(sensor, 3.001, 3.5).rfind("TRIA VSF 1.02\r\n", 0), 0u);
    SimulatedSensor absent(SensorModel::Vsf, SimulatedSensor::Behaviour::Absent);
    absent.OnDtr(true, 0);
    absent.OnDtr(false, 0.5);
    absent.OnWrite("o", 1.0);
    EXPECT_TRUE(Collect(absent, 0, 3.0).empty());
}

}  // namespace
}  // namespace zan::sim
