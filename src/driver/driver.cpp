#include "driver/driver.h"

#include <climits>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/number_text.h"
#include "core/number_value.h"
#include "core/whole_number.h"
#include "driver/logger_command.h"
#include "driver/state_fields.h"
#include "shell/main_load.h"

namespace zan {
namespace {

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string w; in >> w;) words.push_back(w);
    return words;
}

// The text after the first n words of a line.
std::string After(const std::string& line, size_t n) {
    size_t pos = 0;
    for (size_t k = 0; k < n; ++k) {
        pos = line.find_first_not_of(" \t", pos);
        if (pos == std::string::npos) return {};
        pos = line.find_first_of(" \t", pos);
        if (pos == std::string::npos) return {};
    }
    return pos + 1 <= line.size() ? line.substr(pos + 1) : std::string();
}

int PortNumber(const std::string& word) {
    const auto n = WholeNumberIn(NumberValue(word), 1, 4);
    if (!n) throw std::invalid_argument("port numbers are 1 to 4: " + word);
    return static_cast<int>(*n);
}

// A whole-number argument (a row, a key code, a check box value).
int WholeWord(const std::string& word) {
    const auto n = WholeNumberIn(WholeTextNumber(word), INT_MIN, INT_MAX);
    if (!n) throw std::invalid_argument("not a whole number: " + word);
    return static_cast<int>(*n);
}

std::string Bool(bool b) { return b ? "true" : "false"; }

std::string ColourText(const Colour& c) {
    return std::to_string(c.red) + "," + std::to_string(c.green) + "," + std::to_string(c.blue);
}

}  // namespace

std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 't' ? '\t' : next == 'r' ? '\r' : next == 'n' ? '\n' : next;
    }
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\t')
            out += "\\t";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\\')
            out += "\\\\";
        else
            out += c;
    }
    return out;
}

Driver::Driver(std::ostream& out) : out_(out) {
    program_.dialogs.onMessage = [this](const ScriptedDialogs::Message& m) {
        out_ << "message \"" << m.title << "\": " << Escape(m.text) << "\n";
    };
}

int Driver::Run(std::istream& in) {
    int failures = 0;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!Execute(line)) ++failures;
    }
    return failures;
}

bool Driver::Execute(const std::string& line) {
    const auto words = Words(line);
    if (words.empty() || words[0][0] == '#') return true;
    try {
        if (Dispatch(words, line)) return true;
        out_ << "error: unknown command: " << words[0] << "\n";
    } catch (const std::exception& e) {
        out_ << "error: " << words[0] << ": " << e.what() << "\n";
    }
    return false;
}

Control& Driver::Find(const std::string& name) const {
    const Context& ctx = program_.ctx;
    const size_t dot = name.find('.');
    if (dot != std::string::npos) {
        const std::string form = name.substr(0, dot), control = name.substr(dot + 1);
        const ControlRegistry* registry = form == "Form1"   ? &ctx.main.registry
                                          : form == "Form2" ? &ctx.quick.registry
                                          : form == "Form3" ? &ctx.progress.registry
                                                            : nullptr;
        if (registry)
            if (Control* c = registry->Find(control)) return *c;
    } else {
        for (const ControlRegistry* r :
             {&ctx.main.registry, &ctx.quick.registry, &ctx.progress.registry})
            if (Control* c = r->Find(name)) return *c;
    }
    throw std::invalid_argument("no control named " + name);
}

sim::SimulatedSensor& Driver::Sensor(const std::string& portWord) {
    auto it = sensors_.find(PortNumber(portWord));
    if (it == sensors_.end())
        throw std::invalid_argument("no simulated sensor on port " + portWord);
    return *it->second;
}

void Driver::Attach(const std::vector<std::string>& words) {
    if (words.size() < 3)
        throw std::invalid_argument("usage: attach PORT MODEL [answering|silent|absent]");
    const int port = PortNumber(words[1]);
    const auto model = sim::ParseSensorModel(words[2]);
    if (!model) throw std::invalid_argument("unknown model " + words[2]);
    auto behaviour = sim::SimulatedSensor::Behaviour::Answering;
    if (words.size() > 3 && words[3] == "silent")
        behaviour = sim::SimulatedSensor::Behaviour::SilentUntilPowerCycled;
    else if (words.size() > 3 && words[3] == "absent")
        behaviour = sim::SimulatedSensor::Behaviour::Absent;
    auto sensor = std::make_shared<sim::SimulatedSensor>(*model, behaviour);
    program_.port.Attach(port, sensor);
    sensors_[port] = sensor;
    feeds_.erase(port);
}

void Driver::Set(Control& control, const std::string& value) {
    if (auto* box = dynamic_cast<TextBox*>(&control))
        box->SetText(value);
    else if (auto* check = dynamic_cast<CheckBox*>(&control))
        check->SetValue(WholeWord(value));
    else if (auto* option = dynamic_cast<OptionButton*>(&control))
        option->SetValue(value != "0" && value != "false");
    else if (auto* slider = dynamic_cast<Slider*>(&control))
        slider->SetValue(WholeWord(value));
    else if (auto* edit = dynamic_cast<NumEdit*>(&control))
        edit->SetValue(WholeTextNumber(value));
    else if (auto* menu = dynamic_cast<MenuItem*>(&control))
        menu->SetChecked(value != "0" && value != "false");
    else if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
        const auto& items = combo->Items();
        for (size_t i = 0; i < items.size(); ++i)
            if (items[i] == value) {
                combo->SetListIndex(static_cast<int>(i));
                if (combo->onClick) combo->onClick();
                return;
            }
        combo->SetText(value);
    } else {
        throw std::invalid_argument(control.Name() + " takes no value");
    }
}

void Driver::Print(const Control& c) {
    out_ << c.Name() << ": caption \"" << Escape(c.Caption()) << "\" visible " << Bool(c.Visible())
         << " enabled " << Bool(c.Enabled()) << " colour " << ColourText(c.BackColour());
    if (auto* box = dynamic_cast<const TextBox*>(&c))
        out_ << " text \"" << Escape(box->Text()) << "\"";
    if (auto* check = dynamic_cast<const CheckBox*>(&c)) out_ << " value " << check->Value();
    if (auto* option = dynamic_cast<const OptionButton*>(&c))
        out_ << " value " << Bool(option->Value());
    if (auto* menu = dynamic_cast<const MenuItem*>(&c))
        out_ << " checked " << Bool(menu->Checked());
    if (auto* slider = dynamic_cast<const Slider*>(&c)) out_ << " value " << slider->Value();
    if (auto* edit = dynamic_cast<const NumEdit*>(&c))
        out_ << " value " << GeneralText(edit->Value());
    if (auto* bar = dynamic_cast<const ProgressBar*>(&c))
        out_ << " value " << GeneralText(bar->Value());
    if (auto* combo = dynamic_cast<const ComboBox*>(&c))
        out_ << " index " << combo->ListIndex() << " text \"" << Escape(combo->Text()) << "\"";
    if (auto* tabs = dynamic_cast<const TabControl*>(&c)) out_ << " tab " << tabs->CurrentTab();
    out_ << "\n";
    if (auto* list = dynamic_cast<const ListBox*>(&c)) {
        for (int i = 0; i < list->Count(); ++i)
            out_ << "  " << i << ": \"" << Escape(list->Entry(i)) << "\"\n";
    }
    if (auto* grid = dynamic_cast<const FlexGrid*>(&c)) {
        for (int r = 0; r < grid->Rows(); ++r) {
            out_ << "  " << r << ":";
            for (int col = 0; col < grid->Cols(); ++col) out_ << " |" << Escape(grid->Cell(r, col));
            out_ << "|\n";
        }
    }
    if (auto* graph = dynamic_cast<const Graph*>(&c)) {
        for (int axis = 1; axis <= 2; ++axis) {
            const auto& a = graph->GetAxis(axis);
            out_ << "  axis " << axis << ": " << GeneralText(a.minimum) << " to "
                 << GeneralText(a.maximum) << " format \"" << a.format << "\""
                 << (a.autoscale ? " autoscale" : "") << "\n";
        }
        for (const auto& plot : graph->Plots()) {
            out_ << "  plot \"" << plot.name << "\":";
            for (size_t i = 0; i < plot.x.size() && i < plot.y.size(); ++i)
                out_ << " (" << GeneralText(plot.x[i]) << "," << GeneralText(plot.y[i]) << ")";
            out_ << "\n";
        }
    }
}

void Driver::PrintState(const std::string& name) {
    const auto text = StateFieldText(program_.ctx.state, name);
    if (!text) throw std::invalid_argument("no state variable " + name);
    out_ << name << " = \"" << Escape(*text) << "\"\n";
}

bool Driver::Dispatch(const std::vector<std::string>& w, const std::string& line) {
    const std::string& command = w[0];
    auto need = [&](size_t n, const char* usage) {
        if (w.size() < n) throw std::invalid_argument(std::string("usage: ") + usage);
    };
    if (command == "load") {
        program_.Load();
    } else if (command == "start") {
        program_.Start();
    } else if (command == "attach") {
        Attach(w);
    } else if (command == "feed") {
        need(3, "feed PORT TEXT");
        const int port = PortNumber(w[1]);
        auto& feed = feeds_[port];
        if (!feed) {
            feed = program_.AttachFeed(port);
            sensors_.erase(port);
        }
        feed->Feed(Unescape(After(line, 2)));
    } else if (command == "power") {
        need(3, "power PORT on|off");
        auto& sensor = Sensor(w[1]);
        if (w[2] == "on")
            sensor.PowerOn(program_.pump.Seconds());
        else
            sensor.PowerOff(program_.pump.Seconds());
    } else if (command == "logger") {
        need(2, "logger PORT [KEY VALUE]...");
        LoggerCommand(Sensor(w[1]).Logger(), w, out_);
    } else if (command == "head") {
        need(2, "head PORT");
        sim::SimulatedSensor& head = Sensor(w[1]);
        out_ << "head " << w[1] << ": " << sim::HeadHeader(head.Head())
             << (head.HeadLocked() ? " locked" : " open") << "\n";
    } else if (command == "unplug") {
        program_.port.DropLine();
    } else if (command == "replug") {
        program_.port.Replug();
    } else if (command == "sent") {
        need(2, "sent PORT");
        const int port = PortNumber(w[1]);
        std::string written;
        if (auto it = sensors_.find(port); it != sensors_.end())
            written = it->second->Received();
        else if (auto f = feeds_.find(port); f != feeds_.end())
            written = f->second->Written();
        out_ << "sent " << port << " = \"" << Escape(written) << "\"\n";
    } else if (command == "click") {
        need(2, "click NAME");
        Control& c = Find(w[1]);
        if (auto* g = dynamic_cast<FlexGrid*>(&c)) {
            need(4, "click GRID ROW COL");
            g->ClickCell(WholeWord(w[2]), WholeWord(w[3]));
        } else if (!ClickControl(c)) {
            throw std::invalid_argument(c.Name() + " cannot be clicked");
        }
    } else if (command == "set") {
        need(2, "set NAME VALUE");
        Set(Find(w[1]), Unescape(After(line, 2)));
    } else if (command == "type") {
        need(3, "type NAME TEXT");
        auto* box = dynamic_cast<TextBox*>(&Find(w[1]));
        if (!box) throw std::invalid_argument(w[1] + " is not a text box");
        box->SetFocus();
        for (char c : Unescape(After(line, 2))) box->TypeChar(c);
    } else if (command == "key") {
        need(3, "key NAME CODE");
        const int code = WholeWord(w[2]);
        if (auto* form = dynamic_cast<Form*>(&Find(w[1]))) {
            form->KeyPress(code);
            return true;
        }
        auto* box = dynamic_cast<TextBox*>(&Find(w[1]));
        if (!box) throw std::invalid_argument(w[1] + " is not a text box or window");
        box->KeyDown(code);
    } else if (command == "blur") {
        need(2, "blur NAME");
        auto* box = dynamic_cast<TextBox*>(&Find(w[1]));
        if (!box) throw std::invalid_argument(w[1] + " is not a text box");
        box->LoseFocus();
    } else if (command == "answer") {
        need(2, "answer PATH");
        program_.dialogs.AnswerFile(After(line, 1));
    } else if (command == "cancel") {
        program_.dialogs.CancelFile();
    } else if (command == "wait") {
        need(2, "wait SECONDS");
        program_.pump.RunFor(WholeTextNumber(w[1]));
    } else if (command == "print") {
        need(2, "print NAME");
        Print(Find(w[1]));
    } else if (command == "state") {
        need(2, "state NAME");
        PrintState(w[1]);
    } else if (command == "port") {
        need(2, "port N");
        const int port = PortNumber(w[1]);
        out_ << "port " << port << " = " << program_.port.Describe(port)
             << (program_.port.OpenPortNumber() == port ? " (open)" : "") << "\n";
    } else if (command == "bytes") {
        need(2, "bytes PATH");
        const std::string path = After(line, 1);
        std::ifstream in(path, std::ios::binary);
        if (!in) throw std::invalid_argument("cannot read " + path);
        std::ostringstream content;
        content << in.rdbuf();
        out_ << "bytes " << path << " = \"" << Escape(content.str()) << "\"\n";
    } else if (command == "echo") {
        out_ << After(line, 1) << "\n";
    } else {
        return false;
    }
    return true;
}

}  // namespace zan
