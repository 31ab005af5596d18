#pragma once

// How the DPI frames keep a DPI value on the current model's ranges (the
// segments of DpiLevelCodec.h): a value inside a segment is rounded down to a
// multiple of the segment's step, a value in the gap before the next segment
// moves up to that segment's minimum, and anything else passes unchanged.

// The value through the segment rule. When a segment applies, *pageStep gets
// its step (the slider's page step follows the segment of its value).
int QuantiseDpi(int value, int* pageStep);

// The value a DPI level shows and stores for value: the segment rule, then,
// where the sensor's code cannot carry that value (a code table without it,
// or a description step finer than the code's), the nearest value that a
// level keeps (LevelKeepsDpi), the lower one when two are as near. Only
// values within the ranges count. So what a level shows is what its record
// holds.
int KeptLevelDpi(int value, int* pageStep);

// One step up or down from a value, by the step of its segment; a value at the
// top of a segment (or in a gap) goes to the next segment's minimum. The
// result is a value a level keeps (KeptLevelDpi), and it moves: where the
// segment's step ends on no such value, the next kept value in that direction
// is taken.
int StepDpiUp(int value);
int StepDpiDown(int value);

// The largest value at most maximum, on the ranges' grid and not below
// minimum, that a level keeps whole (LevelKeepsDpi); maximum itself when none
// does. The DPI slider goes no higher, so a level never shows a value that its
// sensor's code cannot carry to the device.
int LargestKeptDpi(int minimum, int maximum);
