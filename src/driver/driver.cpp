#include "driver/driver.h"

#include <climits>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "core/number_text.h"
#include "core/number_value.h"
#include "core/whole_number.h"
#include "driver/script_words.h"
#include "sim/tty_device.h"

namespace zan {
namespace {

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

Driver::Driver(std::ostream& out, const DriverOptions& options) : out_(out) {
    program_.dialogs.onMessage = [this](const ScriptedDialogs::Message& m) {
        out_ << "message \"" << m.title << "\": " << Escape(m.text) << "\n";
    };
    for (const auto& [port, path] : options.devices)
        program_.port.Attach(port, std::make_shared<sim::TtyDevice>(path));
    if (options.realTime) program_.pump.FollowRealTime();
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
    const auto words = ScriptWords(line);
    if (words.empty() || words[0][0] == '#') return true;
    const auto command = Commands().find(words[0]);
    if (command == Commands().end()) {
        out_ << "error: unknown command: " << words[0] << "\n";
        return false;
    }
    try {
        if (words.size() < command->second.words)
            throw std::invalid_argument(std::string("usage: ") + command->second.usage);
        (this->*command->second.run)(words, line);
        return true;
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

}  // namespace zan
