#pragma once

#include <cstdint>

#include "scenario/CommandTable.h"
#include "scenario/RunScenario.h"

// How a run of the interpreter goes from line to line and when it ends. The
// interpreter's loop counts with this, and so does the scenario checker, so an
// author is warned about exactly the runs the player would end in loop-out.

// What the run does after a line: a command's row says; comments, labels read
// through and lines the player does not support go on.
Afterwards AfterwardsOf(const Command* command);

// Whether the run ends at this line to wait (or to halt), so that the next line,
// if any, is read by a new run with a full budget.
inline bool EndsTheRun(const Command* command) {
    return AfterwardsOf(command) != Afterwards::GoesOn;
}

// The lines one run may still read.
class LineBudget {
  public:
    // Whether the run reads another line.
    bool more() const { return left_ >= 1 && !stopped_; }

    // A line was read and carried out. Every line counts, comments and labels read
    // through included; a `next` costs nothing beyond its own line, since the label
    // search belongs to the line read after it. A line that Returns is never
    // counted: the run is over before.
    void spend(Afterwards afterwards) {
        if (afterwards == Afterwards::Stops) stopped_ = true;
        --left_;
    }

    // Loop-out. Surprise: it is the budget that is looked at after the loop, not
    // the stop, so a run whose 100th line waits has still run out of lines.
    bool ranOut() const { return left_ == 0; }

  private:
    int16_t left_ = kLineBudget;
    bool stopped_ = false;
};
