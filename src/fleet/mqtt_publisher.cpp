#include "fleet/mqtt_publisher.h"

#include <mosquitto.h>

#include <mutex>
#include <stdexcept>

namespace zan::fleet {
namespace {

constexpr int kKeepAliveSeconds = 30;
constexpr unsigned kFirstRetrySeconds = 1;
constexpr unsigned kLongestRetrySeconds = 30;
constexpr int kQos = 1;

// The library is set up once per process, however many publishers it makes.
void InitialiseLibrary() {
    static std::once_flag once;
    std::call_once(once, [] { mosquitto_lib_init(); });
}

}  // namespace

MqttPublisher::MqttPublisher(std::string host, int port, std::string clientId)
    : host_(std::move(host)), port_(port) {
    InitialiseLibrary();
    client_ = mosquitto_new(clientId.c_str(), true, this);
    if (!client_) throw std::runtime_error("cannot make an MQTT client");
    mosquitto_connect_callback_set(client_, &MqttPublisher::OnConnect);
    mosquitto_disconnect_callback_set(client_, &MqttPublisher::OnDisconnect);
    mosquitto_reconnect_delay_set(client_, kFirstRetrySeconds, kLongestRetrySeconds, true);
    // The first connection is made by the client's thread too, so a broker
    // that is not up yet holds nothing back.
    mosquitto_connect_async(client_, host_.c_str(), port_, kKeepAliveSeconds);
    const int started = mosquitto_loop_start(client_);
    if (started != MOSQ_ERR_SUCCESS) {
        mosquitto_destroy(client_);
        throw std::runtime_error(std::string("cannot start the MQTT client: ") +
                                 mosquitto_strerror(started));
    }
}

MqttPublisher::~MqttPublisher() {
    mosquitto_disconnect(client_);
    mosquitto_loop_stop(client_, false);
    mosquitto_destroy(client_);
}

bool MqttPublisher::Publish(const std::string& topic, const std::string& payload) {
    const bool sent =
        connected_ &&
        mosquitto_publish(client_, nullptr, topic.c_str(), static_cast<int>(payload.size()),
                          payload.data(), kQos, false) == MOSQ_ERR_SUCCESS;
    if (!sent) ++notSent_;
    return sent;
}

void MqttPublisher::TellChanges(const Tell& tell) {
    const bool connected = connected_;
    const std::string broker = "MQTT broker " + host_ + ":" + std::to_string(port_);
    if (!connected && !everConnected_ && notSent_ > 0 && !toldUnreachable_) {
        toldUnreachable_ = true;
        tell(broker +
             " cannot be reached; records are not published until it can, the files go "
             "on.");
    }
    if (connected == toldConnected_) return;
    toldConnected_ = connected;
    if (connected) {
        tell(broker + (everConnected_ ? " back" : " connected") +
             (notSent_ ? "; " + std::to_string(notSent_) +
                             " records were not published while it was away (the files hold them)."
                       : "."));
        everConnected_ = true;
        notSent_ = 0;
        return;
    }
    std::string reason = mosquitto_strerror(lastResult_);
    if (!reason.empty() && reason.back() == '.') reason.pop_back();
    tell(broker + " lost: " + reason +
         "; records are not published until it is back, the files go on.");
}

void MqttPublisher::OnConnect(mosquitto*, void* self, int result) {
    auto* publisher = static_cast<MqttPublisher*>(self);
    publisher->lastResult_ = result;
    publisher->connected_ = result == 0;
}

void MqttPublisher::OnDisconnect(mosquitto*, void* self, int result) {
    auto* publisher = static_cast<MqttPublisher*>(self);
    publisher->lastResult_ = result;
    publisher->connected_ = false;
}

}  // namespace zan::fleet
