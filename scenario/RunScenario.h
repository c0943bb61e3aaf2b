#pragma once

#include <cstdint>

// The interpreter. Each call carries out up to 100 scenario lines and returns when
// a command waits (for Next, a choice, an animation) or hands over to a built-in
// routine. Set Engine.JumpLabel first to continue at a label; leave it 0 to go on
// after the line where the last run stopped.
void RunScenario();

// The label the story last jumped to (0 before the first jump): where a reload of
// the scenario starts the story again.
int16_t LastLabelReached();

// Whether a run is in progress (it may be yielding to the event loop).
bool ScenarioRunning();

// Lets waiting window events run in the middle of a run (clicks, paints, ticks).
// False when the run must not finish its current line: New Game came in during
// the yield, or the program has ended.
bool YieldToPlayer();

// The messages of the interpreter itself.
inline constexpr const char16_t* kScenarioEndMessage = u"シナリオ正常終了";
inline constexpr const char16_t* kLabelSearchErrorMessage = u"シナリオエラー！！";
inline constexpr const char16_t* kLoopOutMessage = u"ｼﾅﾘｵﾙｰﾌﾟｱｳﾄ!";
inline constexpr int kLineBudget = 100;
