#include "lighting/ScreenClockSync.h"

#include "device/DeviceLibrary.h"
#include "device/DeviceListDiscovery.h"

#include <QMutex>
#include <QMutexLocker>

namespace {

// The number of bytes an answer shares with its request: header, year, month
// and day.
constexpr int kEchoedBytes = 7;
// Paths asked for per product id.
constexpr int kPathsPerSearch = 8;

// The hot-plug callback may run on a thread of the library while the clock
// timer reads the list on the GUI thread.
QMutex& ScreenPathsMutex()
{
    static QMutex mutex;
    return mutex;
}

QStringList& ScreenPaths()
{
    static QStringList paths;
    return paths;
}

} // namespace

QByteArray BuildClockPacket(const QDateTime& now)
{
    QByteArray packet(ScreenPacketLength, '\0');
    const QDate date = now.date();
    const QTime time = now.time();
    const std::uint8_t head[] = {
        0x0A,
        0x00,
        0x10,
        static_cast<std::uint8_t>(date.year() >> 8),
        static_cast<std::uint8_t>(date.year() & 0xFF),
        static_cast<std::uint8_t>(date.month()),
        static_cast<std::uint8_t>(date.day()),
        static_cast<std::uint8_t>(time.hour()),
        static_cast<std::uint8_t>(time.minute()),
        static_cast<std::uint8_t>(time.second()),
        // From the same reading as the date, so the two agree at midnight.
        static_cast<std::uint8_t>(date.dayOfWeek()),
    };
    for (int i = 0; i < int(sizeof head); ++i)
        packet[i] = static_cast<char>(head[i]);
    return packet;
}

std::uint8_t ScreenPacketChecksum(const QByteArray& packet)
{
    unsigned sum = 0;
    for (int i = 0; i + 1 < packet.size(); ++i)
        sum += static_cast<std::uint8_t>(packet.at(i));
    return static_cast<std::uint8_t>(0x55 - sum);
}

bool ScreenPacketVerify(const QByteArray& packet)
{
    return !packet.isEmpty() && static_cast<std::uint8_t>(packet.back()) == ScreenPacketChecksum(packet);
}

bool ScreenAnswerEchoes(const QByteArray& request, const QByteArray& answer)
{
    return answer.size() == request.size() && answer.left(kEchoedBytes) == request.left(kEchoedBytes)
           && ScreenPacketVerify(answer);
}

std::optional<QByteArray> ScreenSendAndVerify(QByteArray request)
{
    if (request.isEmpty() || request.size() > 255)
        return std::nullopt;
    request[request.size() - 1] = static_cast<char>(ScreenPacketChecksum(request));
    QByteArray answer(request.size(), '\0');
    for (int exchange = 0; exchange < ScreenExchangeLimit; ++exchange) {
        answer.fill('\0');
        UsbFinderC_ReadWriteDeviceData(reinterpret_cast<const unsigned char*>(request.constData()),
                                       reinterpret_cast<unsigned char*>(answer.data()),
                                       static_cast<unsigned char>(request.size()));
        if (ScreenAnswerEchoes(request, answer))
            return answer;
    }
    return std::nullopt;
}

int ScanScreenDevices(const QString& vid, const QStringList& pids)
{
    QStringList found;
    const QByteArray vidText = vid.toLatin1();
    for (const QString& pid : pids) {
        int count = kPathsPerSearch;
        char** paths = UsbFinderC_FindHidDevicesByDeviceId(vidText.constData(), pid.toLatin1().constData(), 1,
                                                           kPathsPerSearch, &count);
        for (int i = 0; paths && i < count; ++i)
            found << (paths[i] ? QString::fromLatin1(paths[i]) : QString());
    }
    QMutexLocker lock(&ScreenPathsMutex());
    ScreenPaths() = found;
    return found.size();
}

QStringList ScreenDevicePaths()
{
    QMutexLocker lock(&ScreenPathsMutex());
    return ScreenPaths();
}

void ScreenUsbChangedCallback()
{
    ScanScreenDevices(g_ScreenVid, g_ScreenPidList);
}

bool SendClockToScreen(const QDateTime& now)
{
    const QStringList paths = ScreenDevicePaths();
    if (paths.isEmpty())
        return false;
    // The library keeps the device open; there is nothing to close.
    if (!UsbFinderC_OpenDevice(paths.first().toLatin1().constData()))
        return false;
    return ScreenSendAndVerify(BuildClockPacket(now)).has_value();
}
