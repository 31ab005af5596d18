#include "device/ReceiverChoices.h"

#include "core/UserIni.h"
#include "device/DeviceIdentification.h"

#include <QHash>
#include <QMutex>
#include <QMutexLocker>

namespace {

constexpr int LowestLedMode = 1;
constexpr int HighestLedMode = 3;

// One group per receiver: its three identity bytes when it has reported them,
// else its model's identity word.
QString ReceiverGroup(const DeviceAllInfo& receiver)
{
    if (HasReceiverIdentity(receiver))
        return "Receiver" + QString::fromLatin1(receiver.ReceiverId.toHex().toUpper());
    return "ReceiverModel" + QString::number(receiver.Identity, 16).toUpper().rightJustified(4, QLatin1Char('0'));
}

QString OptionKey(ReceiverOption option)
{
    return option == ReceiverOption::LongRange ? "LongRange" : "Led";
}

bool IsOptionValue(ReceiverOption option, int value)
{
    if (option == ReceiverOption::LongRange)
        return value == 0 || value == 1;
    return value >= LowestLedMode && value <= HighestLedMode;
}

// The choices made in this run, by group and key: a wake takes them even
// when the settings file could not keep them. Read by the report thread.
QMutex g_ChoicesMutex;
QHash<QString, int> g_ChoicesThisRun;

QString ChoiceName(const DeviceAllInfo& receiver, ReceiverOption option)
{
    return ReceiverGroup(receiver) + "/" + OptionKey(option);
}

}  // namespace

bool RememberReceiverChoice(const DeviceAllInfo& receiver, ReceiverOption option, int value)
{
    if (!IsOptionValue(option, value))
        return true;
    {
        QMutexLocker lock(&g_ChoicesMutex);
        g_ChoicesThisRun.insert(ChoiceName(receiver, option), value);
    }
    return UserIni::GetInstance()->SetValue(ReceiverGroup(receiver), OptionKey(option), QString::number(value));
}

int ReceiverChoice(const DeviceAllInfo& receiver, ReceiverOption option, int fallback)
{
    {
        QMutexLocker lock(&g_ChoicesMutex);
        const auto chosen = g_ChoicesThisRun.constFind(ChoiceName(receiver, option));
        if (chosen != g_ChoicesThisRun.constEnd())
            return *chosen;
    }
    bool isNumber = false;
    const int value = UserIni::ValueOnAnyThread(ReceiverGroup(receiver), OptionKey(option)).toInt(&isNumber);
    return isNumber && IsOptionValue(option, value) ? value : fallback;
}
