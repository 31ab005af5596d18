#include "platform/simdevice/Commands.h"

#include "platform/simdevice/DeviceControl.h"
#include "platform/simdevice/Pairing.h"
#include "platform/simdevice/Persistence.h"
#include "platform/simdevice/Upgrade.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringList>

namespace simdevice {
namespace {

using Words = QStringList;

std::string Word(const Words& words, int i)
{
    return words.value(i).toStdString();
}

bool OnOff(const Words& words, int i, bool* on)
{
    const QString word = words.value(i);
    *on = word == "on";
    return word == "on" || word == "off";
}

bool ToInt(const QString& text, int* value, int base = 10)
{
    bool ok = false;
    *value = text.toInt(&ok, base);
    return ok;
}

bool Report(const Words& words)
{
    int cls = 0;
    int sub = 0;
    int status = 0;
    if (!ToInt(words.value(1), &cls) || (words.size() > 2 && !ToInt(words.value(2), &sub))
        || (words.size() > 3 && !ToInt(words.value(3), &status)) || words.size() > 5)
        return false;
    const QByteArray payload = QByteArray::fromHex(words.value(4).toLatin1());
    EnqueueReport(State().binding.generation, cls, sub, status,
                  reinterpret_cast<const uint8_t*>(payload.constData()), payload.size());
    return true;
}

bool Battery(const Words& words)
{
    int level = 0;
    if (!ToInt(words.value(2), &level))
        return false;
    const int charging = words.size() > 3 ? (words.value(3) == "charging" || words.value(3) == "1") : -1;
    return SetBattery(Word(words, 1), level, charging, true);
}

bool UpgradeOutcomeCommand(const Words& words)
{
    int percent = 50;
    if (words.size() > 2 && !ToInt(words.value(2), &percent))
        return false;
    const bool sticky = words.value(3) == "sticky";
    return SetUpgradeOutcome(0, Word(words, 1), percent, sticky);
}

bool PairOutcome(const Words& words)
{
    int delay = 0;
    if (words.size() > 3 && !ToInt(words.value(3), &delay))
        return false;
    return SetPairOutcome(Word(words, 1), Word(words, 2), delay);
}

bool Execute(const Words& words)
{
    const QString verb = words.value(0);
    bool on = false;
    int number = 0;
    if (verb == "plug" || verb == "unplug")
        return words.size() == 2 && PlugDevice(Word(words, 1), verb == "plug");
    if (verb == "cable")
        return OnOff(words, 2, &on) && SetCable(Word(words, 1), on);
    if (verb == "sleep" || verb == "wake")
        return words.size() == 2 && SetAwake(Word(words, 1), verb == "wake");
    if (verb == "battery")
        return Battery(words);
    if (verb == "press")
        return PressButton(Word(words, 1), Word(words, 2), words.value(3) == "direct");
    if (verb == "report")
        return Report(words);
    if (verb == "reconnect") {
        const uint8_t one = 1;
        EnqueueReport(State().binding.generation, 9, 0, 0, &one, 1);
        return true;
    }
    if (verb == "status") {
        if (!ToInt(words.value(1), &number, 0))
            return false;
        const uint8_t payload[2] = {uint8_t(number), 0};
        EnqueueReport(State().binding.generation, 10, 0, 0, payload, 2);
        return true;
    }
    if (verb == "pair-mode")
        return OnOff(words, 2, &on) && SetPairingMode(Word(words, 1), on);
    if (verb == "pair-outcome")
        return PairOutcome(words);
    if (verb == "upgrade-outcome")
        return UpgradeOutcomeCommand(words);
    if (verb == "bootmode")
        return OnOff(words, 2, &on) && SetBootMode(Word(words, 1), on);
    if (verb == "identity-delay")
        return ToInt(words.value(2), &number) && SetIdentityDelay(Word(words, 1), number);
    if (verb == "factory")
        return RestoreFactory(Word(words, 1));
    if (verb == "scenario")
        return words.size() >= 2 && ResetToScenario(words.mid(1).join(' '));
    if (verb == "timescale")
        return SetTimeScale(words.value(1).toDouble());
    if (verb == "save")
        return WriteStateFile();
    if (verb == "list") {
        ListDevices();
        return true;
    }
    return false;
}

}

bool ExecuteCommand(const std::string& line)
{
    const Words words = QString::fromStdString(line).simplified().split(' ', Qt::SkipEmptyParts);
    if (words.isEmpty())
        return false;
    const bool done = Execute(words);
    Journal("command " + line + (done ? "" : " -> refused"));
    if (!done)
        Log(QtWarningMsg, "HIDUsb simulation: command not understood: " + QString::fromStdString(line));
    return done;
}

void SkipExistingCommands()
{
    QFile file(State().commandFile);
    State().commandOffset = file.exists() ? file.size() : 0;
}

void PollCommandFile()
{
    SimState& s = State();
    QFile file(s.commandFile);
    if (!file.exists()) {
        s.commandOffset = 0;
        return;
    }
    if (file.size() < s.commandOffset)
        s.commandOffset = 0;   // the file was emptied or replaced
    if (file.size() == s.commandOffset || !file.open(QIODevice::ReadOnly))
        return;
    file.seek(s.commandOffset);
    const QByteArray appended = file.readAll();
    const int end = appended.lastIndexOf('\n');
    if (end < 0)
        return;   // wait until the line is complete
    s.commandOffset += end + 1;
    for (const QByteArray& line : appended.left(end).split('\n')) {
        const std::string text = line.trimmed().toStdString();
        if (!text.empty() && text[0] != '#')
            ExecuteCommand(text);
    }
}

}
