#include "conversion/tria_records.h"

#include <cstdint>
#include <optional>

#include "core/number_text.h"
#include "core/number_value.h"
#include "core/short_copy.h"
#include "core/word_scan.h"
#include "record/tria_header.h"

namespace zan {
namespace {

constexpr char kColourLetters[] = {'B', 'G', 'R'};
// A converted line's scaled values and its fields, for the room it needs.
constexpr size_t kConvertedValues = 9;
constexpr size_t kConvertedFields = 17;

// Where the first tab of text stands, or its size: eight characters at a
// time while a word is left, then one by one.
size_t TabAt(std::string_view text) {
    size_t at = 0;
    for (; at + 8 <= text.size(); at += 8)
        if (const std::uint64_t tabs = BytesThatAre(WordAt(text.data() + at), '\t'))
            return at + static_cast<size_t>(FirstMarkedByte(tabs));
    while (at < text.size() && text[at] != '\t') ++at;
    return at;
}

// The fields of a record, taken one at a time up to the next tab.
struct Cursor {
    std::string_view rest;
    int field;  // the last field taken, from 1
    bool followedByTab = false;

    std::string_view Take() { return TakeTo(TabAt(rest)); }

    // A count field: when it is digits alone, as a logger writes a count,
    // its value is read in the pass that finds its end; any other field is
    // taken as text, for FieldNumber to read or refuse.
    std::string_view TakeCount(std::optional<double>& value) {
        std::uint64_t whole = 0;
        size_t at = 0;
        for (unsigned digit;
             at < rest.size() && (digit = static_cast<unsigned>(rest[at] - '0')) < 10; ++at)
            whole = whole * 10 + digit;
        if (at == 0 || at > kExactDigits || (at < rest.size() && rest[at] != '\t')) {
            value.reset();
            return Take();
        }
        value = static_cast<double>(whole);
        return TakeTo(at);
    }

  private:
    std::string_view TakeTo(size_t tab) {
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
    : device_(device), fileName_(std::move(fileName)), layout_(ReadTriaHeaderLetters(header_)) {}

char* TriaRecordWalk::AppendColour(char* at, int colour, const Slot& slot, long long line) const {
    for (int angle = 0; angle < 3; ++angle) {
        const ChannelCoefficients& k = device_[static_cast<size_t>(colour * 3 + angle)];
        const auto a = static_cast<size_t>(angle);
        const double count =
            slot.values[a] ? *slot.values[a]
                           : FieldNumber(slot.counts[a], fileName_, line, slot.firstField + angle);
        at = PutShortText(at, (count - k.offset) * k.scaling);
        *at++ = '\t';
    }
    at = CopyShort(at, slot.counts[3]);
    *at++ = '\t';
    return at;
}

char* TriaRecordWalk::LineRoom(std::string_view text) {
    // The record's own fields lie in text; the optional fields may be older.
    size_t most = text.size() + kConvertedValues * kNumberTextRoom + kConvertedFields;
    for (const std::string& field : optional_) most += field.size();
    if (line_.size() < most) line_.resize(most);
    return line_.data();
}

void TriaRecordWalk::Convert(std::string_view text, long long line, int firstField, LineSink& out) {
    int field = firstField - 1;  // the last field taken
    while (true) {
        const size_t tab = text.find('\t');
        if (tab != std::string_view::npos) {
            // A logger repeats its header on every record: read again only when it changes.
            if (text.substr(0, tab) != header_) {
                header_.assign(text.substr(0, tab));
                layout_ = ReadTriaHeaderLetters(header_);
            }
            text.remove_prefix(tab + 1);
            ++field;
        }
        const TriaHeaderLetters& layout = layout_;
        if (!layout.complete) return;
        char* const first = LineRoom(text);
        Cursor cursor{text, field};
        char* at = CopyShort(first, cursor.Take());
        *at++ = '\t';
        std::array<Slot, 3> slots;
        std::array<const Slot*, 3> colourSlot{};
        for (size_t s = 0; s < slots.size(); ++s) {
            const int colour = ColourOf(layout.Slot(s));
            if (colour < 0) continue;
            slots[s].firstField = cursor.field + 1;
            Slot& slot = slots[s];
            for (size_t a = 0; a < slot.values.size(); ++a)
                slot.counts[a] = cursor.TakeCount(slot.values[a]);
            slot.counts[3] = cursor.Take();
            colourSlot[static_cast<size_t>(colour)] = &slots[s];
        }
        const bool present[] = {layout.Voltage() == 'V', layout.Pressure() != 'N',
                                layout.Aux1() != 'N', layout.Aux2() != 'N'};
        for (size_t i = 0; i < optional_.size(); ++i)
            if (present[i]) optional_[i].assign(cursor.Take());
        for (int colour = 0; colour < 3; ++colour) {
            if (const Slot* slot = colourSlot[static_cast<size_t>(colour)])
                at = AppendColour(at, colour, *slot, line);
            else
                at = CopyShort(at, "\t\t\t\t");
        }
        at = CopyShort(at, optional_[0]);
        for (size_t i = 1; i < optional_.size(); ++i) {
            *at++ = '\t';
            at = CopyShort(at, optional_[i]);
        }
        out.WriteLine(std::string_view(first, static_cast<size_t>(at - first)));
        ++records_;
        if (!cursor.followedByTab) return;
        text = cursor.rest;
        field = cursor.field;
    }
}

}  // namespace zan
