#include "settings/UpgradeReport.h"

namespace {
constexpr unsigned char kUpgradeClass = 7;
constexpr unsigned char kProgressReport = 1;
constexpr unsigned char kResultReport = 2;
constexpr unsigned char kSuccessResult = 1;
}

UpgradeReport ParseUpgradeReport(const unsigned char* report)
{
    UpgradeReport parsed;
    if (!report || report[0] != kUpgradeClass)
        return parsed;
    if (report[1] == kProgressReport) {
        parsed.kind = UpgradeReport::Progress;
        parsed.percent = report[2];
    } else if (report[1] == kResultReport) {
        parsed.kind = report[2] == kSuccessResult ? UpgradeReport::Success : UpgradeReport::Failure;
    }
    return parsed;
}
