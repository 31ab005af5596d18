#pragma once

#include <QString>
#include <QVector>

#include <array>

// The sensor capability header, driver_sensor.h in the program folder: a text
// file of "#define" lines. Switch lines list the sensors that support an
// option; the other definitions hold, among others, the sensors' DPI code
// tables ("SENSOR_" + sensor + "_DPI_" + DPI).

// The switches in the order in which a line is tested for them.
enum class SensorSwitch {
    SensorModeSel,
    LodCal,
    Ripple,
    FixLine,
    MotionSync,
    MousepadCal,
};
constexpr int SensorSwitchCount = 6;

// The switch name as written in the header ("SUPPORT_RIPPLE" ...).
QString SensorSwitchName(SensorSwitch which);

struct SensorDefine {
    QString name;
    int value = 0;
};
using SensorDefines = QVector<SensorDefine>;

struct SensorHeader {
    // One word per switch, empty until a switch line sets it.
    std::array<QString, SensorSwitchCount> switchLists;
    // The definitions in file order.
    SensorDefines defines;

    QString SwitchList(SensorSwitch which) const;
    // A sensor is listed when its name occurs in the list (case-sensitive),
    // so an empty name counts as listed everywhere.
    bool IsListed(SensorSwitch which, const QString& sensor) const;
};

// What to do with a definition whose line mentions a switch name in its
// name-and-value piece without being a switch line. The sensor page keeps such
// definitions; the button page wants no switch at all and drops them.
enum class SwitchNamedDefines { Keep, Drop };

// Reads the header at path. A file that cannot be opened gives empty lists and
// no definitions; lines that fit no form are passed over.
SensorHeader ReadSensorHeader(const QString& path,
                              SwitchNamedDefines switchNamed = SwitchNamedDefines::Keep);

// The header beside the program: ProgramFolder() + "/driver_sensor.h".
QString SensorHeaderPath();
