#include "link/reply_lines.h"

#include <algorithm>

#include "controls/controls.h"

namespace zan {

ListMark::ListMark(const ListBox& l) : list(l), count(l.Count()), newest(l.Entry(l.Count() - 1)) {}

bool ListMark::Unchanged() const {
    return list.Count() == count && list.Entry(count - 1) == newest;
}

int FindEcho(const ListBox& list, int firstEntry, int span,
             std::initializer_list<const char*> echoes) {
    int found = -1;
    for (int i = std::max({0, firstEntry, list.Count() - span}); i <= list.Count(); ++i) {
        const std::string entry = list.Entry(i);
        for (const char* echo : echoes)
            if (entry == echo) found = i;
    }
    return found;
}

ReplyLines::ReplyLines(const ListBox& list, int anchor, int direction, int firstEntry, int lines,
                       std::string name)
    : list_(list),
      anchor_(anchor),
      direction_(direction),
      firstEntry_(firstEntry),
      lines_(lines),
      name_(std::move(name)) {}

ReplyLines ReplyLines::AfterEcho(const ListBox& list, int echo, int lines, std::string name) {
    return ReplyLines(list, echo, 1, echo, lines, std::move(name));
}

ReplyLines ReplyLines::BeforeNewest(const ListBox& list, int firstEntry, int lines,
                                    std::string name) {
    return ReplyLines(list, list.Count() - 1, -1, firstEntry, lines, std::move(name));
}

std::string ReplyLines::Line(int n, size_t minLength) const {
    const int entry = anchor_ + direction_ * n;
    const std::string text = entry >= firstEntry_ ? list_.Entry(entry) : std::string();
    if (text.size() < std::max<size_t>(minLength, 1))
        throw ReplyCutOff("The " + name_ + " is incomplete: line " + std::to_string(n) + " of " +
                          std::to_string(lines_) + " is missing or too short.");
    return text;
}

}  // namespace zan
