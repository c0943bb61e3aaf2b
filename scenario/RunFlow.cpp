#include "scenario/RunFlow.h"

Afterwards AfterwardsOf(const Command* command) {
    return command ? command->afterwards : Afterwards::GoesOn;
}
