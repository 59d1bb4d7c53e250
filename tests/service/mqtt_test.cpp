#include <fcntl.h>
#include <gtest/gtest.h>
#include <mosquitto.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <mutex>
#include <thread>

#include "fleet/mqtt_publisher.h"
#include "service_rig.h"

namespace zan {
namespace {

using test::Lines;

const char* const kMosquitto = "/usr/sbin/mosquitto";

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(0);
    socklen_t size = sizeof address;
    ::bind(s, reinterpret_cast<sockaddr*>(&address), size);
    ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size);
    ::close(s);
    return ntohs(address.sin_port);
}

bool Accepts(int port) {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address = Loopback(port);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

// Waits, in real time, up to ten seconds for the condition.
template <typename Condition>
bool Await(Condition condition, const std::function<void()>& meanwhile = {}) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > end) return false;
        if (meanwhile) meanwhile();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

// A broker of the test's own, on a free port: with no configuration it
// listens on the loopback address only and lets anyone in.
struct Broker {
    Broker() { Start(); }
    ~Broker() { Kill(); }
    void Start() {
        // Made before the fork: the child of a process with threads may not allocate.
        const std::string portText = std::to_string(port);
        pid = ::fork();
        if (pid == 0) {
            // Quiet, and gone with the test should the test die.
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            const int quiet = ::open("/dev/null", O_WRONLY);
            ::dup2(quiet, STDOUT_FILENO);
            ::dup2(quiet, STDERR_FILENO);
            ::execl(kMosquitto, "mosquitto", "-p", portText.c_str(), static_cast<char*>(nullptr));
            ::_exit(127);
        }
        EXPECT_TRUE(Await([this] { return Accepts(port); })) << "the broker did not start";
    }
    void Kill() {
        if (pid <= 0) return;
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        pid = -1;
    }
    const int port = FreePort();
    pid_t pid = -1;
};

// A fleet's listener: every payload on the sensor's topic, in the order they came.
struct Subscriber {
    explicit Subscriber(int port) {
        mosquitto_lib_init();
        client = mosquitto_new("zanhost-test-listener", true, this);
        mosquitto_connect_callback_set(client, [](mosquitto* m, void*, int) {
            mosquitto_subscribe(m, nullptr, "zanhost/pump", 1);
        });
        mosquitto_subscribe_callback_set(client, [](mosquitto*, void* self, int, int, const int*) {
            static_cast<Subscriber*>(self)->subscribed = true;
        });
        mosquitto_message_callback_set(
            client, [](mosquitto*, void* self, const mosquitto_message* message) {
                auto* me = static_cast<Subscriber*>(self);
                std::lock_guard<std::mutex> lock(me->mutex);
                me->received.emplace_back(static_cast<const char*>(message->payload),
                                          static_cast<size_t>(message->payloadlen));
            });
        mosquitto_connect(client, "127.0.0.1", port, 30);
        mosquitto_loop_start(client);
        EXPECT_TRUE(Await([this] { return subscribed.load(); }));
    }
    ~Subscriber() {
        mosquitto_disconnect(client);
        mosquitto_loop_stop(client, false);
        mosquitto_destroy(client);
    }
    Lines Received() {
        std::lock_guard<std::mutex> lock(mutex);
        return received;
    }

    mosquitto* client;
    std::atomic<bool> subscribed{false};
    std::mutex mutex;
    Lines received;
};

// The session with a publisher to the broker, keeping what was handed over.
struct FleetRig {
    explicit FleetRig(int port)
        : publisher("127.0.0.1", port, "zanhost-test-pump"),
          rig(
              [this](const std::string& topic, const std::string& payload) {
                  if (publisher.Publish(topic, payload)) published.push_back(payload);
              },
              BrokerConfig{"127.0.0.1", port, "zanhost/pump"}) {
        EXPECT_TRUE(Await([this] { return publisher.Connected(); }));
        TellChanges();
    }
    void TellChanges() {
        publisher.TellChanges(
            [this](const std::string& what) { rig.session->Events().Tell(what); });
    }
    fleet::MqttPublisher publisher;
    test::PtyRig rig;
    Lines published;
};

// What the payload of a recording's data line holds after its time.
std::string PayloadAfterTime(const std::string& recordedLine) {
    const char* names[] = {"100", "125", "150", "Ref"};
    std::string values;
    size_t at = recordedLine.find('\t', recordedLine.find('\t') + 1) + 1;
    for (const char* name : names) {
        const size_t end = recordedLine.find('\t', at);
        values += std::string(values.empty() ? "" : ",") + "\"" + name +
                  "\":" + recordedLine.substr(at, end - at);
        at = end + 1;
    }
    return "\"sensor\":\"pump\",\"instrument\":\"VSF\",\"view\":\"beta\",\"values\":{" + values +
           "},\"units\":{\"100\":\"1/(m sr)\",\"125\":\"1/(m sr)\",\"150\":\"1/(m "
           "sr)\",\"Ref\":\"counts\"}}";
}

bool HaveBroker() { return ::access(kMosquitto, X_OK) == 0; }

TEST(Fleet, EveryRecordArrivesOnceAndInOrderWithTheValuesTheRecordingKeeps) {
    if (!HaveBroker()) GTEST_SKIP() << kMosquitto << " is not installed";
    Broker broker;
    Subscriber fleet(broker.port);
    FleetRig f(broker.port);
    f.rig.Run(40);
    f.rig.session->Finish();
    ASSERT_TRUE(Await([&] { return fleet.Received().size() >= f.published.size(); }));
    EXPECT_EQ(fleet.Received(), f.published);

    const Lines recorded = f.rig.LoggedLines(RecordingPath);
    ASSERT_GT(recorded.size(), 30u);
    EXPECT_EQ(f.published.front().rfind("{\"time\":\"2026-12-07T23:59:3", 0), 0u);
    // Each payload past its time, {"time":"2026-12-07T23:59:30Z", as the recording holds it.
    Lines afterTime, expected;
    for (const std::string& payload : f.published) afterTime.push_back(payload.substr(31));
    for (const std::string& line : recorded) expected.push_back(PayloadAfterTime(line));
    EXPECT_EQ(afterTime, expected);
}

TEST(Fleet, ABrokerKilledAndRestartedMidRunLosesNoFileLine) {
    if (!HaveBroker()) GTEST_SKIP() << kMosquitto << " is not installed";
    Broker broker;
    Subscriber fleet(broker.port);
    FleetRig f(broker.port);
    f.rig.Run(10);
    broker.Kill();
    ASSERT_TRUE(Await([&] { return !f.publisher.Connected(); }, [&] { f.rig.Run(0.2); }));
    f.TellChanges();
    f.rig.Run(5);
    broker.Start();
    ASSERT_TRUE(Await([&] { return f.publisher.Connected(); }, [&] { f.rig.Run(0.2); }));
    f.TellChanges();
    f.rig.Run(10);
    f.rig.session->Finish();

    const std::string events = f.rig.messages.str();
    for (const char* change : {" lost: ", " back"})
        EXPECT_NE(events.find("Z MQTT broker 127.0.0.1:" + std::to_string(broker.port) + change),
                  std::string::npos)
            << events;
    EXPECT_EQ(f.rig.LoggedLines(), test::ReceivedLines(f.rig.device.sent));
    // The fleet hears the records that follow the broker's return.
    ASSERT_TRUE(Await([&] {
        const Lines got = fleet.Received();
        return !got.empty() && got.back() == f.published.back();
    }));
}

}  // namespace
}  // namespace zan
