#pragma once
#include <string>

namespace zan::sim {

// How a sensor on a real line may differ from the one the program was first
// written against; each is left open by what the program may rely on. The
// defaults are the plain simulated sensor.
struct SensorQuirks {
    enum class LineEnd { CrLf, Cr, Lf };
    // The line end the sensor prints (its measurement lines and replies).
    LineEnd lineEnd = LineEnd::CrLf;
    // Its prompt ">" is followed by a line end of its own.
    bool promptLineEnd = false;
    // The TRIA head's listing: whether it starts with a line end or runs on
    // from the prompt, and how many lines stand before its firmware line
    // and after its last auxiliary line (2 and 1 make its usual 18 lines;
    // 0 and 1 the 16 the program reads).
    bool listingLeadingLineEnd = true;
    int listingLinesBefore = 2;
    int listingLinesAfter = 1;
    // Seconds between two characters, over the line speed's own: a reply
    // arrives in one-byte fragments and may end close to a wait's end.
    double characterGap = 0;
    // Printed before every reply: noise, or a partial line.
    std::string beforeReply;
    // Replies start this many seconds after their command (or the wake-up).
    double answerDelay = 0;
    // The head is locked and stays so, power cycles included.
    bool lockedForGood = false;
};

}  // namespace zan::sim
