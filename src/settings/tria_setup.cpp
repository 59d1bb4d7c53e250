#include "settings/tria_setup.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "context/context.h"
#include "link/exchange.h"
#include "link/port_operations.h"
#include "settings/tria_listing.h"

namespace zan {
namespace {

const char* const kTitle = "TRIA Setup";
const char* const kSlotLetters = "BGRFN";

std::array<ComboBox*, 3> SlotCombos(MainForm& m) { return {&m.Combo1, &m.Combo2, &m.Combo3}; }

void SetIfNamed(ComboBox& combo, std::optional<int> position) {
    if (position) combo.SetListIndex(*position);
}

void ShowListing(MainForm& m, const HeadSetup& listing, bool moveBar) {
    m.Command28.SetCaption("Firmware : " + HeadFirmwareCaption(listing.firmwareLine));
    SetIfNamed(m.Combo1, listing.slots[0]);
    if (moveBar) m.ProgressBar2.SetValue(93);
    SetIfNamed(m.Combo2, listing.slots[1]);
    SetIfNamed(m.Combo3, listing.slots[2]);
    if (moveBar) m.ProgressBar2.SetValue(95);
    SetIfNamed(m.Combo4, listing.pressure);
    m.Check5.SetValue(listing.aux1 ? 1 : 0);
    m.Check8.SetValue(listing.aux2 ? 1 : 0);
}

// Stops the head and reads its listing, moving the bar when asked. The
// newest entry may be a prompt printed without a line end, which the
// listing's first line then joins.
HeadSetup AskListing(Context& ctx, Exchange& exchange, bool moveBar) {
    const int firstEntry = std::max(0, ctx.main.List2.Count() - 1);
    exchange.Send("stop");
    exchange.Send("D");
    for (double progress : {15, 30, 45, 60, 75, 80}) {
        exchange.Wait(0.5);
        if (moveBar) exchange.SetProgress(progress);
    }
    const HeadSetup listing = ReadHeadListing(ctx.main.List2, firstEntry);
    if (moveBar) {
        exchange.SetProgress(85);
        exchange.SetProgress(90);
    }
    return listing;
}

// The head is left stopped by "stop" and by the slot commands; after a
// failure it is set running again, and the box says so.
ExchangeRules HeadRules(MainForm& m) {
    ExchangeRules rules;
    rules.bar = &m.ProgressBar2;
    rules.recover = [](Exchange& exchange) {
        exchange.Send("R");
        return std::string(" The head was told to run again (\"R\").");
    };
    return rules;
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

// What was sent that the listing read back does not show, as "slot 1 (Red
// sent, Blue kept)" and the like; empty when the head took everything.
std::string NotTaken(const MainForm& m, const SlotLetters& sent, int pressure, int aux1, int aux2,
                     const HeadSetup& back) {
    std::string missed;
    auto note = [&](const std::string& what, const std::string& wanted, const std::string& kept) {
        missed += (missed.empty() ? "" : "; ") + what + " (" + wanted + " sent, " + kept + " kept)";
    };
    const ComboBox* combos[] = {&m.Combo1, &m.Combo2, &m.Combo3};
    for (size_t i = 0; i < 3; ++i) {
        const int wanted = static_cast<int>(std::string(kSlotLetters).find(sent.letters[i]));
        if (back.slots[i] != wanted)
            note("slot " + std::to_string(i + 1), combos[i]->Items()[static_cast<size_t>(wanted)],
                 back.slots[i] ? combos[i]->Items()[static_cast<size_t>(*back.slots[i])] : "?");
    }
    if (pressure >= 0 && back.pressure != pressure)
        note("pressure output", m.Combo4.Items()[static_cast<size_t>(pressure)],
             back.pressure ? m.Combo4.Items()[static_cast<size_t>(*back.pressure)] : "?");
    const auto onOff = [](bool on) { return on ? std::string("on") : std::string("off"); };
    if (aux1 != 2 && back.aux1 != (aux1 == 1))
        note("Aux Analog 1", onOff(aux1 == 1), onOff(back.aux1));
    if (aux2 != 2 && back.aux2 != (aux2 == 1))
        note("Aux Analog 2", onOff(aux2 == 1), onOff(back.aux2));
    return missed;
}

void SendSetup(Exchange& exchange, const SlotLetters& slots, const std::string& tail) {
    const std::pair<const char*, double> slotWords[] = {{"STOPc1", 3}, {"c2", 2}, {"c3", 2}};
    const double progress[] = {15, 30, 90};
    for (size_t i = 0; i < 3; ++i) {
        exchange.Send(slotWords[i].first);
        exchange.Wait(slotWords[i].second);
        exchange.SetProgress(progress[i]);
        exchange.Send(std::string(1, slots.letters[i]));
    }
    exchange.Wait(1);
    exchange.Send(tail);
    exchange.SetProgress(100);
    exchange.Wait(0.5);
}

void ApplySetup(Context& ctx, Exchange& exchange) {
    MainForm& m = ctx.main;
    exchange.SetProgress(0);
    if (!IsPortOpen(ctx)) return;
    const SlotLetters slots = TakeSlotLetters(m);
    if (slots.unchosen != 0)
        throw ExchangeFailure("No sensor is chosen for slot " + std::to_string(slots.unchosen) +
                                  ". Choose one (\"No Sensor!\" for an empty slot); nothing was "
                                  "sent to the head.",
                              "Missing Parameter");
    const int unit = m.Combo4.ListIndex();
    const int aux1 = m.Check5.Value(), aux2 = m.Check8.Value();
    const std::string pressure = unit >= 0 && unit <= 5 ? std::string("CP") + "ADPSVX"[unit] : "";
    SendSetup(exchange, slots,
              AuxCommand("CA", m.Check5) + AuxCommand("CB", m.Check8) + pressure + "r");
    // A locked head takes none of it and says nothing: its listing tells.
    HeadSetup back;
    try {
        back = AskListing(ctx, exchange, false);
    } catch (const ExchangeFailure& e) {
        throw ExchangeFailure(std::string("The settings were sent, but the head did not list them "
                                          "back, so whether it took them is not known. ") +
                                  e.what(),
                              kTitle);
    }
    ShowListing(m, back, false);
    exchange.Send("R");
    exchange.SetProgress(0);
    const std::string missed = NotTaken(m, slots, unit, aux1, aux2, back);
    if (!missed.empty())
        ctx.platform.dialogs.MessageBox(
            "The head did not take: " + missed +
                ". The frame shows what the head keeps. A locked head takes nothing until its "
                "power is cycled.",
            kTitle);
}

// What the head printed since the given entry count (the newest entry may
// have grown), without measurements and bare prompts.
std::string AnswerSince(const ListBox& list, int count, const std::string& openEntry) {
    std::string answer;
    for (int i = std::max(0, count - 1); i < list.Count(); ++i) {
        std::string line = list.Entry(i);
        if (line.find('\t') != std::string::npos) continue;
        if (i == count - 1)
            line = line.size() > openEntry.size() ? line.substr(openEntry.size()) : "";
        if (!line.empty() && line.back() == '>') line.pop_back();
        line.erase(std::remove_if(line.begin(), line.end(),
                                  [](unsigned char c) { return c < ' ' || c == 0x7f; }),
                   line.end());
        if (line.empty()) continue;
        answer += (answer.empty() ? "" : " / ") + line;
    }
    return answer;
}

void LockSetup(Context& ctx, Exchange& exchange) {
    const ListBox& list = ctx.main.List2;
    // Locking is for good until the head's power is cycled; say so when it did not happen.
    if (!IsPortOpen(ctx))
        throw ExchangeFailure(
            "The port is closed, so the head was not locked. Open the head's port and try again.",
            kTitle);
    const int count = list.Count();
    const std::string openEntry = list.Entry(count - 1);
    exchange.Send("STOPSYR");
    exchange.SetProgress(0);
    double progress = 0;
    for (double seconds : {0.2, 0.1, 0.1, 0.2, 0.1, 0.1, 0.2, 0.1, 0.1, 0.2}) {
        exchange.Wait(seconds);
        exchange.SetProgress(progress += 10);
    }
    exchange.Wait(1.2);
    exchange.SetProgress(0);
    const std::string answer = AnswerSince(list, count, openEntry);
    if (answer.empty())
        throw ExchangeFailure(
            "The head gave no answer this program could read to the lock command (\"STOPSYR\"), "
            "so it is not known to be locked: check that it is powered and connected, then lock "
            "again.",
            kTitle);
    ctx.platform.dialogs.MessageBox("The head answered the lock command: " + answer, kTitle);
}

}  // namespace

void Command12_Click(Context& ctx) {
    MainForm& m = ctx.main;
    if (!IsPortOpen(ctx)) return;
    RunExchange(ctx, HeadRules(m), [&ctx, &m](Exchange& exchange) {
        exchange.SetProgress(0);
        ShowListing(m, AskListing(ctx, exchange, true), true);
        exchange.Send("R");
        exchange.SetProgress(100);
        exchange.Wait(0.5);
        exchange.SetProgress(0);
    });
}

void Command4_Click(Context& ctx) {
    RunExchange(ctx, HeadRules(ctx.main),
                [&ctx](Exchange& exchange) { ApplySetup(ctx, exchange); });
}

void Command13_Click(Context& ctx) {
    ExchangeRules rules;
    rules.bar = &ctx.main.ProgressBar2;
    rules.onPortFailure = ShowError;
    RunExchange(ctx, rules, [&ctx](Exchange& exchange) { LockSetup(ctx, exchange); });
}

}  // namespace zan
