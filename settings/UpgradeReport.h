#pragma once

// The device library's upgrade reports, and what the update flows tell their
// dialogs about them through SigProgress(value, kind).

// Kinds of SigProgress.
constexpr int UpgradeKindProgress = 0;        // the value is the bar's percentage
constexpr int UpgradeKindFailure = 1;
constexpr int UpgradeKindSuccess = 2;
constexpr int UpgradeKindHideCancel = 3;
constexpr int UpgradeKindResetBar = 4;
constexpr int UpgradeKindNoMouse = 5;         // no mouse to update: failure with the bar at 50
constexpr int UpgradeKindFailureMessage = 6;
constexpr int UpgradeKindNoAnswer = 7;        // failure: the device stopped answering
constexpr int UpgradeKindImageRefused = 8;    // the value is the target (210, 211) whose damaged image the
                                              // library refused: the dialog names it
constexpr int UpgradeKindNothingWritten = 9;  // the update ends without a part written: the named images

// An upgrade report: at least three bytes, byte 0 the class (only 7 is an
// upgrade report), byte 1 1 progress or 2 result, byte 2 the percentage or
// 1 for success.
struct UpgradeReport {
    enum Kind { Other, Progress, Success, Failure };
    Kind kind = Other;
    int percent = 0;
};

UpgradeReport ParseUpgradeReport(const unsigned char* report);
