#include "platform/simdevice/Scenario.h"

#include "platform/simdevice/JsonText.h"
#include "platform/simdevice/Upgrade.h"

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

// Reads one scenario document. The first problem found is kept as the
// message; reading goes on with defaults and the result is then discarded.
class ScenarioBuilder {
public:
    ScenarioBuilder(SimModel* model, UpgradeOutcome* upgrade) : m_model(model), m_upgrade(upgrade) {}

    bool Build(const QJsonObject& root)
    {
        m_where = "scenario";
        m_model->vid = HexOrNumber(root.value("vid"), m_model->description.Vid(), "vid");
        m_cid = Integer(root, "cid", m_model->description.Cid(), 0, 255);
        const QJsonObject upgrade = root.value("upgrade").toObject();
        if (!upgrade.isEmpty()) {
            m_upgrade->outcome = upgrade.value("outcome").toString("success").toStdString();
            if (!IsUpgradeOutcome(m_upgrade->outcome))
                Fail("unknown upgrade outcome \"" + QString::fromStdString(m_upgrade->outcome) + "\"");
            m_upgrade->percent = Integer(upgrade, "percent", 50, 0, 100);
            m_upgrade->sticky = true;
        }
        if (!root.value("devices").isArray())
            Fail("\"devices\" must be a list");
        const QJsonArray devices = root.value("devices").toArray();
        std::set<std::string> ids;
        for (int i = 0; i < devices.size() && m_error.isEmpty(); ++i)
            BuildDevice(devices.at(i).toObject(), i, &ids);
        if (m_error.isEmpty())
            ConnectPairs();
        return m_error.isEmpty();
    }

    const QString& Error() const { return m_error; }

private:
    void Fail(const QString& text)
    {
        if (m_error.isEmpty())
            m_error = m_where + ": " + text;
    }

    int HexOrNumber(const QJsonValue& value, int fallback, const char* key)
    {
        if (value.isUndefined() || value.isNull())
            return fallback;
        if (value.isDouble())
            return value.toInt();
        const int parsed = ParseHex(value.toString());
        if (!value.isString() || parsed < 0) {
            Fail(QString("\"%1\" is not a number").arg(key));
            return fallback;
        }
        return parsed;
    }

    int Integer(const QJsonObject& object, const char* key, int fallback, int minimum, int maximum)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined() || value.isNull())
            return fallback;
        if (!value.isDouble() || value.toInt() < minimum || value.toInt() > maximum) {
            Fail(QString("\"%1\" must be a number from %2 to %3").arg(key).arg(minimum).arg(maximum));
            return fallback;
        }
        return value.toInt();
    }

    bool Flag(const QJsonObject& object, const char* key, bool fallback)
    {
        const QJsonValue value = object.value(key);
        if (value.isUndefined() || value.isNull())
            return fallback;
        if (!value.isBool())
            Fail(QString("\"%1\" must be true or false").arg(key));
        return value.toBool(fallback);
    }

    ReceiverId ReceiverIdFromText(const QString& text)
    {
        static const QRegularExpression sixHexDigits("^[0-9A-Fa-f]{6}$");
        if (!sixHexDigits.match(text).hasMatch() || text == "000000") {
            Fail("\"rxid\" must be six hexadecimal digits, not all zero");
            return {1, 1, 1};
        }
        const int value = text.toInt(nullptr, 16);
        return {uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
    }

    QString ModelGroup(const QJsonObject& object)
    {
        const QString group = object.value("model").toString();
        if (group.isEmpty())
            return QString();
        if (!group.startsWith("Drive") || m_model->description.Number(group, "MID", -1) < 0) {
            Fail("model \"" + group + "\" is not in the device description");
            return "Drive1";
        }
        return group;
    }

    void BuildDevice(const QJsonObject& object, int index, std::set<std::string>* ids)
    {
        const QString id = object.value("id").toString();
        m_where = QString("device %1 (%2)").arg(index + 1).arg(id);
        if (id.isEmpty() || !ids->insert(id.toStdString()).second) {
            Fail("every device needs an id of its own");
            return;
        }
        const QString type = object.value("type").toString();
        if (type == "mouse") {
            m_model->mice.push_back(BuildMouse(object));
            m_model->order.emplace_back(true, m_model->mice.size() - 1);
        } else if (type == "receiver") {
            m_model->receivers.push_back(BuildReceiver(object));
            m_model->order.emplace_back(false, m_model->receivers.size() - 1);
        } else {
            Fail("\"type\" must be \"mouse\" or \"receiver\"");
        }
    }

    Mouse BuildMouse(const QJsonObject& object)
    {
        const DeviceDescription& description = m_model->description;
        Mouse mouse;
        mouse.id = object.value("id").toString().toStdString();
        mouse.group = ModelGroup(object);
        mouse.cid = Integer(object, "cid", m_cid, 0, 255);
        if (mouse.group.isEmpty()) {
            mouse.mid = Integer(object, "mid", -1, 0, 255);
            if (mouse.mid < 0)
                Fail("a mouse needs \"model\" or \"cid\" and \"mid\"");
            mouse.group = description.GroupForMid(mouse.mid);
        } else {
            mouse.mid = Integer(object, "mid", description.Number(mouse.group, "MID"), 0, 255);
        }
        mouse.firmware = uint16_t(HexOrNumber(object.value("fw"), 0x0100, "fw"));
        mouse.imageName = description.Value(mouse.group, "MM").toStdString();
        mouse.cableKind = uint8_t(Integer(object, "cable_kind", 2, 2, 255));
        const int modelIndex = mouse.group.mid(5).toInt() - 1;
        mouse.cablePid = uint16_t(HexOrNumber(object.value("pid"), description.ProductId("USB_PID", modelIndex), "pid"));
        mouse.powered = Flag(object, "powered", true);
        mouse.cable = Flag(object, "cable", false);
        mouse.awake = Flag(object, "awake", true);
        mouse.battery = Integer(object, "battery", 100, 0, 100);
        mouse.charging = Flag(object, "charging", mouse.cable);
        mouse.profiles = Integer(object, "profiles", 1, 1, 4);
        mouse.pairingMode = Flag(object, "pairing_mode", false);
        mouse.boot = Flag(object, "boot", false);
        mouse.identityDelay = Integer(object, "identity_delay", 0, 0, 1000);
        mouse.screen = Flag(object, "screen", false);
        const QJsonObject overrides = object.value("flash_overrides").toObject();
        for (auto it = overrides.begin(); it != overrides.end(); ++it) {
            bool ok = false;
            const int offset = it.key().toInt(&ok);
            if (ok && offset >= 0 && offset < kRecordSize && it.value().isDouble())
                mouse.flashOverrides.emplace_back(offset, uint8_t(it.value().toInt()));
            else
                Fail("bad \"flash_overrides\" entry \"" + it.key() + "\"");
        }
        mouse.images.assign(size_t(mouse.profiles), m_model->FactoryImage(mouse));
        return mouse;
    }

    Receiver BuildReceiver(const QJsonObject& object)
    {
        Receiver receiver;
        receiver.id = object.value("id").toString().toStdString();
        receiver.receiverClass = Integer(object, "class", 4, 1, 8);
        if (receiver.receiverClass != 1 && receiver.receiverClass != 2 && receiver.receiverClass != 4
            && receiver.receiverClass != 8)
            Fail("\"class\" must be 1, 2, 4 or 8");
        receiver.kind = Receiver::KindOfClass(receiver.receiverClass);
        const QString pidKey = DeviceDescription::ReceiverPidKey(receiver.receiverClass);
        receiver.pid = uint16_t(HexOrNumber(object.value("pid"), m_model->description.ProductId(pidKey, 0), "pid"));
        receiver.receiverId = ReceiverIdFromText(object.value("rxid").toString());
        receiver.firmware = uint16_t(HexOrNumber(object.value("fw"), 0x0100, "fw"));
        receiver.plugged = Flag(object, "plugged", true);
        receiver.boot = Flag(object, "boot", false);
        receiver.pairedMouse = object.value("paired").toString().toStdString();
        receiver.ledSupported = object.contains("led_mode") || receiver.receiverClass == 4;
        receiver.led[0] = uint8_t(Integer(object, "led_mode", 1, 1, 3));
        receiver.longRange = object.value("long_range").isNull() ? -1 : Integer(object, "long_range", 0, -1, 1);
        receiver.autoPair = Flag(object, "auto_pair", false);
        receiver.pushPairResult = Flag(object, "push_result", false);
        receiver.wirelessWhileWired = Flag(object, "wireless_while_wired", false);
        receiver.identityDelay = Integer(object, "identity_delay", 0, 0, 1000);
        receiver.imageCid = m_cid;
        const QString group = ModelGroup(object);
        if (!group.isEmpty())
            receiver.imageMid = m_model->description.Number(group, "MID");
        return receiver;
    }

    // A receiver's image fits the model it is paired with; its identity word
    // is that mouse's until it pairs with another.
    void ConnectPairs()
    {
        for (Receiver& receiver : m_model->receivers) {
            m_where = QString::fromStdString("receiver " + receiver.id);
            QString group = "Drive1";
            if (!receiver.pairedMouse.empty()) {
                Mouse* mouse = m_model->FindMouse(receiver.pairedMouse);
                if (!mouse) {
                    Fail(QString::fromStdString("paired mouse \"" + receiver.pairedMouse + "\" does not exist"));
                    return;
                }
                mouse->pairedReceiver = receiver.receiverId;
                receiver.rememberedIdentity = mouse->Identity();
                receiver.rememberedFirmware = mouse->firmware;
                receiver.imageCid = mouse->cid;
                receiver.imageMid = mouse->mid;
                group = mouse->group;
            } else if (receiver.imageMid) {
                group = m_model->description.GroupForMid(receiver.imageMid);
            }
            if (!receiver.imageMid)
                receiver.imageMid = m_model->description.Number(group, "MID");
            const QString imageKey = DeviceDescription::ReceiverImageKey(receiver.receiverClass);
            receiver.imageName = m_model->description.Value(group, imageKey).toStdString();
        }
    }

    SimModel* m_model;
    UpgradeOutcome* m_upgrade;
    QString m_where;
    QString m_error;
    int m_cid = 0;
};

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
    QString jsonError;
    const QJsonDocument document = ReadJsonText(text, &jsonError);
    if (!document.isObject()) {
        *error = "scenario " + nameOrPath + ": not a JSON object ("
                 + (jsonError.isEmpty() ? QString("wrong shape") : jsonError) + ")";
        return false;
    }
    SimModel built;
    built.description = model->description;
    UpgradeOutcome builtUpgrade;
    ScenarioBuilder builder(&built, &builtUpgrade);
    if (!builder.Build(document.object())) {
        *error = "scenario " + nameOrPath + ": " + builder.Error();
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
        // Only a regular file (or a link to one): a FIFO would block the read.
        if (QFileInfo(beside).isFile())
            return beside;
    }
    return kDefaultScenario;
}

}
