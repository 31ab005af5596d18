#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

// What the simulated devices take from the program's device description
// (usersetting/Config.ini): identities, product ids, firmware image names and
// the factory defaults of each model. Read from the file beside the program
// when there is one, else from the sample that ships with the program.
namespace simdevice {

class DeviceDescription {
public:
    static DeviceDescription Load();
    static DeviceDescription FromText(const QString& text);

    QString Value(const QString& group, const QString& key) const;
    QStringList List(const QString& group, const QString& key) const;
    int Number(const QString& group, const QString& key, int fallback = 0) const;

    int Vid() const;
    int Cid() const;
    int DeviceTotal() const;
    // "Drive" n whose MID is mid, else the first model group.
    QString GroupForMid(int mid) const;
    // Product id of item `item` of a product id list (hexadecimal texts), else 0.
    int ProductId(const QString& listKey, int item) const;
    // Image name key of a receiver class: DM, D2M, D4M, D8M.
    static QString ReceiverImageKey(int receiverClass);
    static QString ReceiverPidKey(int receiverClass);

private:
    QHash<QString, QHash<QString, QString>> m_values;
};

// Hexadecimal text, optional "0x", any case; -1 when it is not one.
int ParseHex(const QString& text);

}
