#include "platform/simdevice/Persistence.h"

#include "platform/simdevice/JsonText.h"
#include "platform/simdevice/SimState.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstring>

namespace simdevice {
namespace {

const char kFormat[] = "quorvane-simdevices-state-1";

// Scenario names come from files a person writes: only a plain file name part.
QString SafeFileNamePart(QString name)
{
    name.replace(QRegularExpression("[^A-Za-z0-9_-]"), "_");
    return name.isEmpty() ? QString("unnamed") : name;
}

QString HexText(const uint8_t* bytes, size_t length)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes), int(length)).toHex());
}

bool BytesFromHex(const QJsonValue& value, uint8_t* bytes, size_t length)
{
    const QByteArray decoded = QByteArray::fromHex(value.toString().toLatin1());
    if (!value.isString() || size_t(decoded.size()) != length)
        return false;
    std::memcpy(bytes, decoded.constData(), length);
    return true;
}

bool ReadWord(const QJsonObject& object, const char* key, uint16_t* word)
{
    const QJsonValue value = object.value(key);
    if (!value.isDouble() || value.toInt() < 0 || value.toInt() > 0xFFFF)
        return false;
    *word = uint16_t(value.toInt());
    return true;
}

QJsonObject MouseState(const Mouse& mouse)
{
    QJsonArray images;
    for (const FlashImage& image : mouse.images)
        images.append(QString::fromLatin1(
            QByteArray(reinterpret_cast<const char*>(image.data()), kImageSize).toBase64()));
    return {{"images", images},
            {"active_profile", mouse.activeProfile},
            {"fw", mouse.firmware},
            {"boot", mouse.boot},
            {"paired", HexText(mouse.pairedReceiver.data(), 3)},
            {"battery_optimize", mouse.batteryOptimize}};
}

QJsonObject ReceiverState(const Receiver& receiver)
{
    return {{"fw", receiver.firmware},
            {"boot", receiver.boot},
            {"paired_mouse", QString::fromStdString(receiver.pairedMouse)},
            {"remembered_identity", receiver.rememberedIdentity},
            {"led", HexText(receiver.led.data(), receiver.led.size())},
            {"long_range", receiver.longRange}};
}

void ApplyMouseState(Mouse& mouse, const QJsonObject& state)
{
    const QJsonArray images = state.value("images").toArray();
    for (int p = 0; p < images.size() && p < mouse.profiles; ++p) {
        const QByteArray image = QByteArray::fromBase64(images.at(p).toString().toLatin1());
        if (image.size() == kImageSize && IsValidFlashImage(reinterpret_cast<const uint8_t*>(image.constData())))
            std::memcpy(mouse.images[size_t(p)].data(), image.constData(), kImageSize);
    }
    const int active = state.value("active_profile").toInt(-1);
    if (active >= 0 && active < mouse.profiles)
        mouse.activeProfile = active;
    ReadWord(state, "fw", &mouse.firmware);
    mouse.boot = state.value("boot").toBool(mouse.boot);
    BytesFromHex(state.value("paired"), mouse.pairedReceiver.data(), 3);
    const int optimize = state.value("battery_optimize").toInt(-1);
    if (optimize == 0 || optimize == 1)
        mouse.batteryOptimize = optimize;
}

void ApplyReceiverState(SimModel& model, Receiver& receiver, const QJsonObject& state)
{
    ReadWord(state, "fw", &receiver.firmware);
    receiver.boot = state.value("boot").toBool(receiver.boot);
    const std::string paired = state.value("paired_mouse").toString().toStdString();
    if (paired.empty() || model.FindMouse(paired))
        receiver.pairedMouse = paired;
    ReadWord(state, "remembered_identity", &receiver.rememberedIdentity);
    if (receiver.ledSupported)
        BytesFromHex(state.value("led"), receiver.led.data(), receiver.led.size());
    const int longRange = state.value("long_range").toInt(-2);
    if (receiver.longRange >= 0 && (longRange == 0 || longRange == 1))
        receiver.longRange = longRange;
}

}

QString StateFilePath()
{
    const SimState& s = State();
    if (s.stateFolder.isEmpty())
        return QString();
    return s.stateFolder + "/state-" + SafeFileNamePart(s.model.scenarioName) + ".json";
}

void ApplyPersistedState()
{
    const QString path = StateFilePath();
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists())
        return;
    // A FIFO's open would block the library's start for good.
    if (!info.isFile()) {
        Log(QtWarningMsg, "HIDUsb simulation: ignoring the state file " + path + ": not a regular file");
        return;
    }
    QFile file(path);
    QString error;
    const QJsonDocument document =
        file.open(QIODevice::ReadOnly) ? ReadJsonText(file.readAll(), &error) : QJsonDocument();
    const QJsonObject root = document.object();
    if (root.value("format").toString() != kFormat) {
        Log(QtWarningMsg, "HIDUsb simulation: ignoring the damaged state file " + path
                              + (error.isEmpty() ? QString() : " (" + error + ")"));
        return;
    }
    SimModel& model = State().model;
    const QJsonObject mice = root.value("mice").toObject();
    for (Mouse& mouse : model.mice)
        if (mice.contains(QString::fromStdString(mouse.id)))
            ApplyMouseState(mouse, mice.value(QString::fromStdString(mouse.id)).toObject());
    const QJsonObject receivers = root.value("receivers").toObject();
    for (Receiver& receiver : model.receivers)
        if (receivers.contains(QString::fromStdString(receiver.id)))
            ApplyReceiverState(model, receiver, receivers.value(QString::fromStdString(receiver.id)).toObject());
}

bool WriteStateFile()
{
    SimState& s = State();
    s.stateDirty = false;
    const QString path = StateFilePath();
    if (path.isEmpty())
        return false;
    QJsonObject mice;
    for (const Mouse& mouse : s.model.mice)
        mice.insert(QString::fromStdString(mouse.id), MouseState(mouse));
    QJsonObject receivers;
    for (const Receiver& receiver : s.model.receivers)
        receivers.insert(QString::fromStdString(receiver.id), ReceiverState(receiver));
    const QJsonObject root{{"format", kFormat},
                           {"scenario", s.model.scenarioName},
                           {"mice", mice},
                           {"receivers", receivers}};
    QDir().mkpath(s.stateFolder);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        Log(QtWarningMsg, "HIDUsb simulation: cannot write the state file " + path);
        return false;
    }
    // The flush is checked before the commit: Qt 5's commit() renames a file
    // whose buffered bytes could not be written (a full disk) over the old one.
    const QByteArray bytes = QJsonDocument(root).toJson();
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        file.cancelWriting();
        Log(QtWarningMsg, "HIDUsb simulation: cannot write the state file " + path);
        return false;
    }
    return true;
}

}
