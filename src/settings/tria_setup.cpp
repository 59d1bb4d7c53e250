#include "settings/tria_setup.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "context/context.h"
#include "link/exchange.h"
#include "link/port_operations.h"
#include "link/reply_lines.h"

namespace zan {
namespace {

constexpr int kListingLines = 16;

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::array<ComboBox*, 3> SlotCombos(MainForm& m) { return {&m.Combo1, &m.Combo2, &m.Combo3}; }

void SetIfNamed(ComboBox& combo, std::optional<int> position) {
    if (position) combo.SetListIndex(*position);
}

// The head's listing: the 16 lines before the prompt, read before any
// control is set, so a listing that was cut off changes nothing. Listing
// lines hold no tabs; a line with one is a measurement of a head that is
// still streaming.
std::array<std::string, kListingLines + 1> ReadListing(Context& ctx, int firstEntry) {
    const ReplyLines reply =
        ReplyLines::BeforeNewest(ctx.main.List2, firstEntry, kListingLines, "head's listing");
    std::array<std::string, kListingLines + 1> back;
    for (int n = kListingLines; n >= 1; --n) {
        back[static_cast<size_t>(n)] = reply.Line(n);
        if (back[static_cast<size_t>(n)].find('\t') != std::string::npos)
            throw ReplyCutOff("The head sent measurements where its listing should be (line " +
                              std::to_string(n) + " of " + std::to_string(kListingLines) + ").");
        if (n == 9) ctx.main.ProgressBar2.SetValue(85);
    }
    ctx.main.ProgressBar2.SetValue(90);
    return back;
}

void ShowListing(MainForm& m, const std::array<std::string, kListingLines + 1>& back) {
    m.Command28.SetCaption("Firmware : " + HeadFirmwareCaption(back[16]));
    SetIfNamed(m.Combo1, SlotPosition(back[12]));
    m.ProgressBar2.SetValue(93);
    SetIfNamed(m.Combo2, SlotPosition(back[11]));
    SetIfNamed(m.Combo3, SlotPosition(back[10]));
    m.ProgressBar2.SetValue(95);
    SetIfNamed(m.Combo4, PressurePosition(back[7]));
    m.Check5.SetValue(SaysOn(back[4]) ? 1 : 0);
    m.Check8.SetValue(SaysOn(back[2]) ? 1 : 0);
}

// The letter each slot is sent as, or the number of the first slot whose
// combo shows no sensor yet ("Sensor 1" would go as "S", which no head takes).
struct SlotLetters {
    std::string letters;
    int unchosen = 0;
};

SlotLetters TakeSlotLetters(MainForm& m) {
    SlotLetters result;
    int slot = 1;
    for (ComboBox* combo : SlotCombos(m)) {
        const std::string& text = combo->Text();
        const auto& items = combo->Items();
        if (std::find(items.begin(), items.end(), text) == items.end()) {
            result.unchosen = slot;
            return result;
        }
        result.letters += text[0];
        ++slot;
    }
    return result;
}

// "CA1" or "CA0" for a check box; a grey box sends nothing.
std::string AuxCommand(const char* word, const CheckBox& box) {
    if (box.Value() == 2) return "";
    return word + std::to_string(box.Value());
}

}  // namespace

std::string HeadFirmwareCaption(const std::string& line) {
    const size_t vsf = Upper(line).find("VSF");
    return vsf == std::string::npos ? line : line.substr(vsf);
}

std::optional<int> SlotPosition(const std::string& line) {
    static const char* const endings[] = {"lue VSF", "een VSF", "Red VSF", "rometer", " Sensor"};
    for (int i = 0; i < 5; ++i)
        if (EndsWith(line, endings[i])) return i;
    return std::nullopt;
}

std::optional<int> PressurePosition(const std::string& line) {
    static const std::pair<const char*, int> endings[] = {{"ars", 1}, {"ere", 0}, {"PSI", 2},
                                                          {"its", 3}, {"lts", 4}, {"OFF", 5}};
    for (const auto& [ending, position] : endings)
        if (EndsWith(line, ending)) return position;
    return std::nullopt;
}

bool SaysOn(const std::string& line) { return Upper(line).find("ON") != std::string::npos; }

void Command12_Click(Context& ctx) {
    MainForm& m = ctx.main;
    Exchange exchange(ctx, &m.ProgressBar2);
    if (!exchange.Acquired()) return;
    try {
        exchange.SetProgress(0);
        // Entries already in the list came before the listing.
        const int firstEntry = m.List2.Count();
        exchange.Send("stop");
        exchange.Send("D");
        for (double progress : {15, 30, 45, 60, 75, 80}) {
            exchange.Wait(0.5);
            exchange.SetProgress(progress);
        }
        ShowListing(m, ReadListing(ctx, firstEntry));
        exchange.Send("R");
        exchange.SetProgress(100);
        exchange.Wait(0.5);
        exchange.SetProgress(0);
    } catch (const LinkLost&) {
        // The loss was told once, when it happened.
    } catch (const ReplyCutOff& e) {
        exchange.SetProgress(0);
        ctx.platform.dialogs.MessageBox(
            std::string(e.what()) +
                " The head did not list its settings: check that it is powered and connected, "
                "then retrieve again. The frame was left as it was.",
            "TRIA Setup");
    } catch (const std::exception&) {
        // A closed or failing port ends the retrieval silently; the bar shows how far it got.
    }
}

void Command4_Click(Context& ctx) {
    MainForm& m = ctx.main;
    Exchange exchange(ctx, &m.ProgressBar2);
    if (!exchange.Acquired()) return;
    try {
        exchange.SetProgress(0);
        if (!IsPortOpen(ctx)) return;
        const SlotLetters slots = TakeSlotLetters(m);
        if (slots.unchosen != 0) {
            ctx.platform.dialogs.MessageBox(
                "No sensor is chosen for slot " + std::to_string(slots.unchosen) +
                    ". Choose one (\"No Sensor!\" for an empty slot); nothing was sent to the "
                    "head.",
                "Missing Parameter");
            return;
        }
        const std::pair<const char*, double> slotWords[] = {{"STOPc1", 3}, {"c2", 2}, {"c3", 2}};
        const double progress[] = {15, 30, 90};
        for (size_t i = 0; i < 3; ++i) {
            exchange.Send(slotWords[i].first);
            exchange.Wait(slotWords[i].second);
            exchange.SetProgress(progress[i]);
            exchange.Send(std::string(1, slots.letters[i]));
        }
        exchange.Wait(1);
        const int unit = m.Combo4.ListIndex();
        const std::string pressure =
            unit >= 0 && unit <= 5 ? std::string("CP") + "ADPSVX"[unit] : "";
        for (const std::string& command :
             {AuxCommand("CA", m.Check5), AuxCommand("CB", m.Check8), pressure, std::string("r")})
            if (!command.empty()) exchange.Send(command);
        exchange.SetProgress(100);
        exchange.Wait(0.5);
        exchange.SetProgress(0);
    } catch (const std::exception&) {
        // A failing port ends the application silently; the bar shows how far it got.
    }
}

void Command13_Click(Context& ctx) {
    MainForm& m = ctx.main;
    Exchange exchange(ctx, &m.ProgressBar2);
    if (!exchange.Acquired()) return;
    // Locking is for good until the head's power is cycled; say so when it did not happen.
    if (!IsPortOpen(ctx)) {
        ctx.platform.dialogs.MessageBox(
            "The port is closed, so the head was not locked. Open the head's port and try again.",
            "TRIA Setup");
        return;
    }
    try {
        exchange.Send("STOPSYR");
    } catch (const std::exception& e) {
        ShowError(ctx, e.what());
        return;
    }
    exchange.SetProgress(0);
    double progress = 0;
    try {
        for (double seconds : {0.2, 0.1, 0.1, 0.2, 0.1, 0.1, 0.2, 0.1, 0.1, 0.2}) {
            exchange.Wait(seconds);
            exchange.SetProgress(progress += 10);
        }
        exchange.Wait(1.2);
    } catch (const LinkLost&) {
        // The loss was told once, when it happened.
    }
    exchange.SetProgress(0);
}

}  // namespace zan
