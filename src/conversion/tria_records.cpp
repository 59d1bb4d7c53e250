#include "conversion/tria_records.h"

#include "core/number_text.h"
#include "record/tria_header.h"

namespace zan {
namespace {

constexpr char kColourLetters[] = {'B', 'G', 'R'};

// The fields of a record, taken one at a time up to the next tab.
struct Cursor {
    std::string_view rest;
    int field;  // the last field taken, from 1
    bool followedByTab = false;

    std::string_view Take() {
        // Fields are a few characters: a plain loop finds the tab sooner than a library call.
        size_t tab = 0;
        while (tab < rest.size() && rest[tab] != '\t') ++tab;
        std::string_view text = rest.substr(0, tab);
        followedByTab = tab < rest.size();
        rest = followedByTab ? rest.substr(tab + 1) : std::string_view();
        ++field;
        return text;
    }
};

int ColourOf(char letter) {
    for (int c = 0; c < 3; ++c)
        if (kColourLetters[c] == letter) return c;
    return -1;
}

}  // namespace

const std::string_view kConvertedHeading =
    "Time Stamp\tBlue B100\tBlue B125\tBlue B150\tBlue Ref\tGreen B100\tGreen B125\tGreen "
    "B150\tGreen Ref\tRed B100\tRed B125\tRed B150\tRed Ref\tSupply Voltage\tPressure Sensor\tAux "
    "1\tAux 2";

TriaRecordWalk::TriaRecordWalk(const DeviceTable& device, std::string fileName)
    : device_(device), fileName_(std::move(fileName)) {}

void TriaRecordWalk::AppendColour(int colour, const Slot& slot, long long line) {
    for (int angle = 0; angle < 3; ++angle) {
        const ChannelCoefficients& k = device_[static_cast<size_t>(colour * 3 + angle)];
        const double count = FieldNumber(slot.counts[static_cast<size_t>(angle)], fileName_, line,
                                         slot.firstField + angle);
        AppendShortText(out_, (count - k.offset) * k.scaling);
        out_ += '\t';
    }
    out_ += slot.counts[3];
    out_ += '\t';
}

void TriaRecordWalk::Convert(std::string_view text, long long line, int firstField, LineSink& out) {
    int field = firstField - 1;  // the last field taken
    while (true) {
        const size_t tab = text.find('\t');
        if (tab != std::string_view::npos) {
            header_.assign(text.substr(0, tab));
            text.remove_prefix(tab + 1);
            ++field;
        }
        const TriaHeaderLetters layout = ReadTriaHeaderLetters(header_);
        if (!layout.complete) return;
        Cursor cursor{text, field};
        out_.assign(cursor.Take());
        out_ += '\t';
        std::array<Slot, 3> slots;
        std::array<const Slot*, 3> colourSlot{};
        for (size_t s = 0; s < slots.size(); ++s) {
            const int colour = ColourOf(layout.Slot(s));
            if (colour < 0) continue;
            slots[s].firstField = cursor.field + 1;
            for (std::string_view& count : slots[s].counts) count = cursor.Take();
            colourSlot[static_cast<size_t>(colour)] = &slots[s];
        }
        const bool present[] = {layout.Voltage() == 'V', layout.Pressure() != 'N',
                                layout.Aux1() != 'N', layout.Aux2() != 'N'};
        for (size_t i = 0; i < optional_.size(); ++i)
            if (present[i]) optional_[i].assign(cursor.Take());
        for (int colour = 0; colour < 3; ++colour) {
            if (const Slot* slot = colourSlot[static_cast<size_t>(colour)])
                AppendColour(colour, *slot, line);
            else
                out_ += "\t\t\t\t";
        }
        out_ += optional_[0];
        for (size_t i = 1; i < optional_.size(); ++i) (out_ += '\t') += optional_[i];
        out.WriteLine(out_);
        ++records_;
        if (!cursor.followedByTab) return;
        text = cursor.rest;
        field = cursor.field;
    }
}

}  // namespace zan
