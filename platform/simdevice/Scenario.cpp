#include "platform/simdevice/Scenario.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <set>

namespace simdevice {
namespace {

const char kDefaultScenario[] = "default";

class ScenarioError {
public:
    explicit ScenarioError(QString text) : m_text(std::move(text)) {}
    const QString& Text() const { return m_text; }

private:
    QString m_text;
};

int HexOrNumber(const QJsonValue& value, int fallback, const QString& what)
{
    if (value.isUndefined() || value.isNull())
        return fallback;
    if (value.isDouble())
        return value.toInt();
    const int parsed = ParseHex(value.toString());
    if (!value.isString() || parsed < 0)
        throw ScenarioError(what + " is not a number");
    return parsed;
}

int Integer(const QJsonObject& object, const char* key, int fallback, int minimum, int maximum,
            const QString& where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return fallback;
    if (!value.isDouble() || value.toInt() < minimum || value.toInt() > maximum)
        throw ScenarioError(QString("%1: \"%2\" must be a number from %3 to %4")
                                .arg(where, key).arg(minimum).arg(maximum));
    return value.toInt();
}

bool Flag(const QJsonObject& object, const char* key, bool fallback, const QString& where)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull())
        return fallback;
    if (!value.isBool())
        throw ScenarioError(QString("%1: \"%2\" must be true or false").arg(where, key));
    return value.toBool();
}

ReceiverId ReceiverIdFromText(const QString& text, const QString& where)
{
    static const QRegularExpression sixHexDigits("^[0-9A-Fa-f]{6}$");
    if (!sixHexDigits.match(text).hasMatch() || text == "000000")
        throw ScenarioError(where + ": \"rxid\" must be six hexadecimal digits, not all zero");
    const int value = text.toInt(nullptr, 16);
    return {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
}

QString ModelGroup(const SimModel& model, const QJsonObject& object, const QString& where)
{
    const QString group = object.value("model").toString();
    if (group.isEmpty())
        return QString();
    if (!group.startsWith("Drive") || model.description.Number(group, "MID", -1) < 0)
        throw ScenarioError(where + ": model \"" + group + "\" is not in the device description");
    return group;
}

Mouse BuildMouse(SimModel& model, int scenarioCid, const QJsonObject& object, const QString& where)
{
    const DeviceDescription& description = model.description;
    Mouse mouse;
    mouse.id = object.value("id").toString().toStdString();
    mouse.group = ModelGroup(model, object, where);
    mouse.cid = Integer(object, "cid", scenarioCid, 0, 255, where);
    if (mouse.group.isEmpty()) {
        mouse.mid = Integer(object, "mid", -1, 0, 255, where);
        if (mouse.mid < 0)
            throw ScenarioError(where + ": a mouse needs \"model\" or \"cid\" and \"mid\"");
        mouse.group = description.GroupForMid(mouse.mid);
    } else {
        mouse.mid = Integer(object, "mid", description.Number(mouse.group, "MID"), 0, 255, where);
    }
    mouse.firmware = uint16_t(HexOrNumber(object.value("fw"), 0x0100, where + ": \"fw\""));
    mouse.imageName = description.Value(mouse.group, "MM").toStdString();
    mouse.cableKind = uint8_t(Integer(object, "cable_kind", 2, 2, 255, where));
    const int modelIndex = mouse.group.mid(5).toInt() - 1;
    mouse.cablePid = uint16_t(HexOrNumber(object.value("pid"), description.ProductId("USB_PID", modelIndex),
                                          where + ": \"pid\""));
    mouse.powered = Flag(object, "powered", true, where);
    mouse.cable = Flag(object, "cable", false, where);
    mouse.awake = Flag(object, "awake", true, where);
    mouse.battery = Integer(object, "battery", 100, 0, 100, where);
    mouse.charging = Flag(object, "charging", mouse.cable, where);
    mouse.profiles = Integer(object, "profiles", 1, 1, 4, where);
    mouse.pairingMode = Flag(object, "pairing_mode", false, where);
    mouse.boot = Flag(object, "boot", false, where);
    mouse.identityDelay = Integer(object, "identity_delay", 0, 0, 1000, where);
    mouse.screen = Flag(object, "screen", false, where);
    const QJsonObject overrides = object.value("flash_overrides").toObject();
    for (auto it = overrides.begin(); it != overrides.end(); ++it) {
        bool ok = false;
        const int offset = it.key().toInt(&ok);
        if (!ok || offset < 0 || offset >= kRecordSize || !it.value().isDouble())
            throw ScenarioError(where + ": bad \"flash_overrides\" entry \"" + it.key() + "\"");
        mouse.flashOverrides.emplace_back(offset, uint8_t(it.value().toInt()));
    }
    mouse.images.assign(size_t(mouse.profiles), model.FactoryImage(mouse));
    return mouse;
}

Receiver BuildReceiver(SimModel& model, int scenarioCid, const QJsonObject& object, const QString& where)
{
    Receiver receiver;
    receiver.id = object.value("id").toString().toStdString();
    receiver.receiverClass = Integer(object, "class", 4, 1, 8, where);
    if (receiver.receiverClass != 1 && receiver.receiverClass != 2 && receiver.receiverClass != 4
        && receiver.receiverClass != 8)
        throw ScenarioError(where + ": \"class\" must be 1, 2, 4 or 8");
    receiver.kind = Receiver::KindOfClass(receiver.receiverClass);
    receiver.pid = uint16_t(HexOrNumber(object.value("pid"),
                                        model.description.ProductId(DeviceDescription::ReceiverPidKey(receiver.receiverClass), 0),
                                        where + ": \"pid\""));
    receiver.receiverId = ReceiverIdFromText(object.value("rxid").toString(), where);
    receiver.firmware = uint16_t(HexOrNumber(object.value("fw"), 0x0100, where + ": \"fw\""));
    receiver.plugged = Flag(object, "plugged", true, where);
    receiver.boot = Flag(object, "boot", false, where);
    receiver.pairedMouse = object.value("paired").toString().toStdString();
    receiver.ledSupported = object.contains("led_mode") || receiver.receiverClass == 4;
    receiver.led[0] = uint8_t(Integer(object, "led_mode", 1, 1, 3, where));
    const QJsonValue longRange = object.value("long_range");
    receiver.longRange = longRange.isNull() ? -1 : Integer(object, "long_range", 0, -1, 1, where);
    receiver.autoPair = Flag(object, "auto_pair", false, where);
    receiver.pushPairResult = Flag(object, "push_result", false, where);
    receiver.wirelessWhileWired = Flag(object, "wireless_while_wired", false, where);
    receiver.identityDelay = Integer(object, "identity_delay", 0, 0, 1000, where);
    receiver.imageCid = scenarioCid;
    const QString group = ModelGroup(model, object, where);
    if (!group.isEmpty())
        receiver.imageMid = model.description.Number(group, "MID");
    return receiver;
}

// A receiver's image fits the model it is paired with; its identity word is
// that mouse's until it pairs with another.
void ConnectPairs(SimModel& model)
{
    for (Receiver& receiver : model.receivers) {
        QString group = "Drive1";
        if (!receiver.pairedMouse.empty()) {
            Mouse* mouse = model.FindMouse(receiver.pairedMouse);
            if (!mouse)
                throw ScenarioError(QString::fromStdString("receiver " + receiver.id + ": paired mouse \""
                                                           + receiver.pairedMouse + "\" does not exist"));
            mouse->pairedReceiver = receiver.receiverId;
            receiver.rememberedIdentity = mouse->Identity();
            receiver.rememberedFirmware = mouse->firmware;
            receiver.imageCid = mouse->cid;
            receiver.imageMid = mouse->mid;
            group = mouse->group;
        } else if (receiver.imageMid) {
            group = model.description.GroupForMid(receiver.imageMid);
        }
        if (!receiver.imageMid)
            receiver.imageMid = model.description.Number(group, "MID");
        receiver.imageName = model.description
                                 .Value(group, DeviceDescription::ReceiverImageKey(receiver.receiverClass))
                                 .toStdString();
    }
}

void BuildDevices(const QJsonObject& root, SimModel* model, UpgradeOutcome* upgrade)
{
    model->vid = HexOrNumber(root.value("vid"), model->description.Vid(), "\"vid\"");
    const int cid = Integer(root, "cid", model->description.Cid(), 0, 255, "scenario");
    const QJsonObject upgradeObject = root.value("upgrade").toObject();
    if (!upgradeObject.isEmpty()) {
        upgrade->outcome = upgradeObject.value("outcome").toString("success").toStdString();
        upgrade->percent = Integer(upgradeObject, "percent", 50, 0, 100, "\"upgrade\"");
        upgrade->sticky = true;
    }
    if (!root.value("devices").isArray())
        throw ScenarioError("\"devices\" must be a list");
    std::set<std::string> ids;
    const QJsonArray devices = root.value("devices").toArray();
    for (int i = 0; i < devices.size(); ++i) {
        const QJsonObject object = devices.at(i).toObject();
        const QString id = object.value("id").toString();
        const QString where = QString("device %1 (%2)").arg(i + 1).arg(id);
        if (id.isEmpty() || !ids.insert(id.toStdString()).second)
            throw ScenarioError(where + ": every device needs an id of its own");
        const QString type = object.value("type").toString();
        if (type == "mouse") {
            model->mice.push_back(BuildMouse(*model, cid, object, where));
            model->order.emplace_back(true, model->mice.size() - 1);
        } else if (type == "receiver") {
            model->receivers.push_back(BuildReceiver(*model, cid, object, where));
            model->order.emplace_back(false, model->receivers.size() - 1);
        } else {
            throw ScenarioError(where + ": \"type\" must be \"mouse\" or \"receiver\"");
        }
    }
    ConnectPairs(*model);
}

bool ReadScenarioText(const QString& nameOrPath, QByteArray* text, QString* name, QString* error)
{
    static const QRegularExpression builtInName("^[a-z-]+$");
    if (builtInName.match(nameOrPath).hasMatch()) {
        QFile builtIn(":/simdevice/scenarios/" + nameOrPath + ".json");
        if (builtIn.open(QIODevice::ReadOnly)) {
            *text = builtIn.readAll();
            *name = nameOrPath;
            return true;
        }
    }
    QFile file(nameOrPath);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = "\"" + nameOrPath + "\" is neither a built-in scenario nor a readable file";
        return false;
    }
    *text = file.readAll();
    *name = QFileInfo(nameOrPath).completeBaseName();
    return true;
}

}

bool BuildScenario(const QString& nameOrPath, SimModel* model, UpgradeOutcome* upgrade, QString* error)
{
    QByteArray text;
    QString name;
    if (!ReadScenarioText(nameOrPath, &text, &name, error))
        return false;
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(text, &parseError);
    if (!document.isObject()) {
        *error = "scenario " + nameOrPath + ": not a JSON object ("
                 + (parseError.error != QJsonParseError::NoError ? parseError.errorString() : QString("wrong shape"))
                 + " at offset " + QString::number(parseError.offset) + ")";
        return false;
    }
    SimModel built;
    built.description = model->description;
    UpgradeOutcome builtUpgrade;
    try {
        BuildDevices(document.object(), &built, &builtUpgrade);
    } catch (const ScenarioError& failure) {
        *error = "scenario " + nameOrPath + ": " + failure.Text();
        return false;
    }
    built.scenarioName = document.object().value("name").toString(name);
    *model = std::move(built);
    *upgrade = builtUpgrade;
    return true;
}

QString ChosenScenario()
{
    const QString chosen = QString::fromLocal8Bit(qgetenv("QUORVANE_SIM_SCENARIO"));
    if (!chosen.isEmpty())
        return chosen;
    if (QCoreApplication::instance()) {
        const QString beside = QCoreApplication::applicationDirPath() + "/usersetting/SimDevices.json";
        if (QFile::exists(beside))
            return beside;
    }
    return kDefaultScenario;
}

}
