#pragma once
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace zan {

class ListBox;

// A reply that stopped short of the line a reader asked for.
class ReplyCutOff : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Where a receive list stood, to tell later whether anything arrived since.
struct ListMark {
    explicit ListMark(const ListBox& list);
    bool Unchanged() const;
    const ListBox& list;
    int count;
    std::string newest;
};

// Index of the newest entry equal to one of the echoes among the last span
// entries of the list, from firstEntry on, or -1 when there is none.
int FindEcho(const ListBox& list, int firstEntry, int span,
             std::initializer_list<const char*> echoes);

// A command's reply as a receive list holds it, one entry per line, read by
// each line's distance from an anchor entry: forward from the command's
// echo, or back from the newest entry (the prompt that ends the reply).
// Entries before firstEntry were in the list before the command was sent and
// are never part of its reply.
class ReplyLines {
  public:
    static ReplyLines AfterEcho(const ListBox& list, int echo, int lines, std::string name);
    static ReplyLines BeforeNewest(const ListBox& list, int firstEntry, int lines,
                                   std::string name);

    // Line n (1 to lines); a line that is missing, or shorter than
    // minLength, means the reply was cut off: ReplyCutOff names the reply and
    // the line.
    std::string Line(int n, size_t minLength = 1) const;

  private:
    ReplyLines(const ListBox& list, int anchor, int direction, int firstEntry, int lines,
               std::string name);
    const ListBox& list_;
    int anchor_, direction_, firstEntry_, lines_;
    std::string name_;
};

}  // namespace zan
