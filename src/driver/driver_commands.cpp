#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/number_value.h"
#include "driver/driver.h"
#include "driver/logger_command.h"
#include "driver/script_words.h"
#include "driver/state_fields.h"
#include "shell/main_load.h"

namespace zan {
namespace {

bool IsOn(const std::string& value) { return value != "0" && value != "false"; }

void SetCombo(ComboBox& combo, const std::string& value) {
    const auto& items = combo.Items();
    for (size_t i = 0; i < items.size(); ++i)
        if (items[i] == value) {
            combo.SetListIndex(static_cast<int>(i));
            if (combo.onClick) combo.onClick();
            return;
        }
    combo.SetText(value);
}

void SetControl(Control& control, const std::string& value) {
    if (auto* box = dynamic_cast<TextBox*>(&control))
        box->SetText(value);
    else if (auto* check = dynamic_cast<CheckBox*>(&control))
        check->SetValue(WholeWord(value));
    else if (auto* option = dynamic_cast<OptionButton*>(&control))
        option->SetValue(IsOn(value));
    else if (auto* slider = dynamic_cast<Slider*>(&control))
        slider->SetValue(WholeWord(value));
    else if (auto* edit = dynamic_cast<NumEdit*>(&control))
        edit->SetValue(WholeTextNumber(value));
    else if (auto* menu = dynamic_cast<MenuItem*>(&control))
        menu->SetChecked(IsOn(value));
    else if (auto* combo = dynamic_cast<ComboBox*>(&control))
        SetCombo(*combo, value);
    else
        throw std::invalid_argument(control.Name() + " takes no value");
}

TextBox& TextBoxNamed(Control& control, const std::string& name) {
    auto* box = dynamic_cast<TextBox*>(&control);
    if (!box) throw std::invalid_argument(name + " is not a text box");
    return *box;
}

}  // namespace

const std::map<std::string, Driver::Command>& Driver::Commands() {
    static const std::map<std::string, Command> commands = {
        {"load", {1, "load", &Driver::Load}},
        {"start", {1, "start", &Driver::Start}},
        {"attach", {3, "attach PORT MODEL [answering|silent|absent]", &Driver::Attach}},
        {"feed", {3, "feed PORT TEXT", &Driver::Feed}},
        {"power", {3, "power PORT on|off", &Driver::Power}},
        {"logger", {2, "logger PORT [KEY VALUE]...", &Driver::Logger}},
        {"head", {2, "head PORT", &Driver::Head}},
        {"unplug", {1, "unplug", &Driver::Unplug}},
        {"replug", {1, "replug", &Driver::Replug}},
        {"sent", {2, "sent PORT", &Driver::Sent}},
        {"click", {2, "click NAME [ROW COL]", &Driver::Click}},
        {"set", {2, "set NAME VALUE", &Driver::Set}},
        {"type", {3, "type NAME TEXT", &Driver::Type}},
        {"key", {3, "key NAME CODE", &Driver::Key}},
        {"blur", {2, "blur NAME", &Driver::Blur}},
        {"answer", {2, "answer PATH", &Driver::Answer}},
        {"cancel", {1, "cancel", &Driver::Cancel}},
        {"wait", {2, "wait SECONDS", &Driver::Wait}},
        {"print", {2, "print NAME", &Driver::PrintCommand}},
        {"state", {2, "state NAME", &Driver::State}},
        {"port", {2, "port N", &Driver::Port}},
        {"bytes", {2, "bytes PATH", &Driver::Bytes}},
        {"echo", {1, "echo TEXT", &Driver::Echo}},
    };
    return commands;
}

sim::SimulatedSensor& Driver::Sensor(const std::string& portWord) {
    auto it = sensors_.find(PortNumber(portWord));
    if (it == sensors_.end())
        throw std::invalid_argument("no simulated sensor on port " + portWord);
    return *it->second;
}

void Driver::Load(const Words&, const std::string&) { program_.Load(); }

void Driver::Start(const Words&, const std::string&) { program_.Start(); }

void Driver::Attach(const Words& w, const std::string&) {
    const int port = PortNumber(w[1]);
    const auto model = sim::ParseSensorModel(w[2]);
    if (!model) throw std::invalid_argument("unknown model " + w[2]);
    auto behaviour = sim::SimulatedSensor::Behaviour::Answering;
    if (w.size() > 3 && w[3] == "silent")
        behaviour = sim::SimulatedSensor::Behaviour::SilentUntilPowerCycled;
    else if (w.size() > 3 && w[3] == "absent")
        behaviour = sim::SimulatedSensor::Behaviour::Absent;
    auto sensor = std::make_shared<sim::SimulatedSensor>(*model, behaviour);
    program_.port.Attach(port, sensor);
    sensors_[port] = sensor;
    feeds_.erase(port);
}

void Driver::Feed(const Words& w, const std::string& line) {
    const int port = PortNumber(w[1]);
    auto& feed = feeds_[port];
    if (!feed) {
        feed = program_.AttachFeed(port);
        sensors_.erase(port);
    }
    feed->Feed(Unescape(After(line, 2)));
}

void Driver::Power(const Words& w, const std::string&) {
    auto& sensor = Sensor(w[1]);
    if (w[2] == "on")
        sensor.PowerOn(program_.pump.Seconds());
    else
        sensor.PowerOff(program_.pump.Seconds());
}

void Driver::Logger(const Words& w, const std::string&) {
    LoggerCommand(Sensor(w[1]).Logger(), w, out_);
}

void Driver::Head(const Words& w, const std::string&) {
    sim::SimulatedSensor& head = Sensor(w[1]);
    out_ << "head " << w[1] << ": " << sim::HeadHeader(head.Head())
         << (head.HeadLocked() ? " locked" : " open") << "\n";
}

void Driver::Unplug(const Words&, const std::string&) { program_.port.DropLine(); }

void Driver::Replug(const Words&, const std::string&) { program_.port.Replug(); }

void Driver::Sent(const Words& w, const std::string&) {
    const int port = PortNumber(w[1]);
    std::string written;
    if (auto it = sensors_.find(port); it != sensors_.end())
        written = it->second->Received();
    else if (auto f = feeds_.find(port); f != feeds_.end())
        written = f->second->Written();
    out_ << "sent " << port << " = \"" << Escape(written) << "\"\n";
}

void Driver::Click(const Words& w, const std::string&) {
    Control& c = Find(w[1]);
    if (auto* g = dynamic_cast<FlexGrid*>(&c)) {
        if (w.size() < 4) throw std::invalid_argument("usage: click GRID ROW COL");
        g->ClickCell(WholeWord(w[2]), WholeWord(w[3]));
    } else if (!ClickControl(c)) {
        throw std::invalid_argument(c.Name() + " cannot be clicked");
    }
}

void Driver::Set(const Words& w, const std::string& line) {
    SetControl(Find(w[1]), Unescape(After(line, 2)));
}

void Driver::Type(const Words& w, const std::string& line) {
    TextBox& box = TextBoxNamed(Find(w[1]), w[1]);
    box.SetFocus();
    for (char c : Unescape(After(line, 2))) box.TypeChar(c);
}

void Driver::Key(const Words& w, const std::string&) {
    const int code = WholeWord(w[2]);
    if (auto* form = dynamic_cast<Form*>(&Find(w[1]))) {
        form->KeyPress(code);
        return;
    }
    auto* box = dynamic_cast<TextBox*>(&Find(w[1]));
    if (!box) throw std::invalid_argument(w[1] + " is not a text box or window");
    box->KeyDown(code);
}

void Driver::Blur(const Words& w, const std::string&) {
    TextBoxNamed(Find(w[1]), w[1]).LoseFocus();
}

void Driver::Answer(const Words&, const std::string& line) {
    program_.dialogs.AnswerFile(After(line, 1));
}

void Driver::Cancel(const Words&, const std::string&) { program_.dialogs.CancelFile(); }

void Driver::Wait(const Words& w, const std::string&) {
    program_.pump.RunFor(WholeTextNumber(w[1]));
}

void Driver::PrintCommand(const Words& w, const std::string&) { Print(Find(w[1])); }

void Driver::State(const Words& w, const std::string&) {
    const auto text = StateFieldText(program_.ctx.state, w[1]);
    if (!text) throw std::invalid_argument("no state variable " + w[1]);
    out_ << w[1] << " = \"" << Escape(*text) << "\"\n";
}

void Driver::Port(const Words& w, const std::string&) {
    const int port = PortNumber(w[1]);
    out_ << "port " << port << " = " << program_.port.Describe(port)
         << (program_.port.OpenPortNumber() == port ? " (open)" : "") << "\n";
}

void Driver::Bytes(const Words&, const std::string& line) {
    const std::string path = After(line, 1);
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::invalid_argument("cannot read " + path);
    std::ostringstream content;
    content << in.rdbuf();
    out_ << "bytes " << path << " = \"" << Escape(content.str()) << "\"\n";
}

void Driver::Echo(const Words&, const std::string& line) { out_ << After(line, 1) << "\n"; }

}  // namespace zan
