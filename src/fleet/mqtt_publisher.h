#pragma once
#include <atomic>
#include <functional>
#include <string>

struct mosquitto;

namespace zan::fleet {

// Publishes records to an MQTT broker (QoS 1, in order) through the system's
// MQTT client library, whose own thread keeps the connection and reconnects
// after a loss. While the broker is away records are not queued: the files
// keep them, and the fleet gets the records that follow its return. Nothing
// here ever blocks the caller for the broker's sake.
class MqttPublisher {
  public:
    // Tells what happened to the connection ("MQTT broker 127.0.0.1:1883 lost: ...").
    using Tell = std::function<void(const std::string&)>;

    // Starts connecting; throws std::runtime_error when the client cannot be made.
    MqttPublisher(std::string host, int port, std::string clientId);
    ~MqttPublisher();
    MqttPublisher(const MqttPublisher&) = delete;
    MqttPublisher& operator=(const MqttPublisher&) = delete;

    // Publishes when connected; otherwise counts the record as not sent.
    // True when the record was handed to the client.
    bool Publish(const std::string& topic, const std::string& payload);
    bool Connected() const { return connected_; }
    // Tells the connection's changes since the last call, from the caller's thread.
    void TellChanges(const Tell& tell);

  private:
    static void OnConnect(mosquitto*, void* self, int result);
    static void OnDisconnect(mosquitto*, void* self, int result);

    std::string host_;
    int port_;
    mosquitto* client_ = nullptr;
    std::atomic<bool> connected_{false};
    std::atomic<int> lastResult_{0};
    bool toldConnected_ = false;
    bool everConnected_ = false;
    bool toldUnreachable_ = false;
    long long notSent_ = 0;
};

}  // namespace zan::fleet
