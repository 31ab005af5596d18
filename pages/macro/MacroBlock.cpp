#include "pages/macro/MacroBlock.h"

#include "device/KeyCodes.h"
#include "pages/macro/MacroNames.h"

#include <algorithm>
#include <cstring>
#include <limits>

QString MacroBlockName(const MacroBlock& block)
{
    const auto end = static_cast<const char*>(std::memchr(block.Name, 0, MacroNameBytes));
    const int length = end ? int(end - block.Name) : MacroNameBytes;
    return QString::fromLocal8Bit(block.Name, length);
}

void SetMacroBlockName(MacroBlock* block, const QString& name)
{
    QString withoutNul = name;
    withoutNul.remove(QChar(0));
    const QByteArray bytes = MacroNameDeviceBytes(withoutNul);
    std::memset(block->Name, 0, MacroNameBytes);
    std::memcpy(block->Name, bytes.constData(), size_t(bytes.size()));
    block->NameLength = static_cast<std::uint8_t>(bytes.size());
}

MacroBlock BuildMacroBlock(const QString& name, const QList<MacroRow>& rows)
{
    MacroBlock block{};
    SetMacroBlockName(&block, name);
    int events = 0;
    for (const MacroRow& row : rows) {
        if (row.kind == RowKind::Delay) {
            if (events == 0)
                continue;
            // The record is packed: its fields are read and written by value.
            DeviceEvent& event = block.Events[events - 1];
            const std::uint32_t delay = event.DelayMs;
            const std::uint32_t added = DelayMsOfText(row.text);
            event.DelayMs = added > std::numeric_limits<std::uint32_t>::max() - delay
                                ? std::numeric_limits<std::uint32_t>::max()
                                : delay + added;
            continue;
        }
        if (events == MacroEventsPerBlock)
            break;
        MacroKeyUsageToBlock(row.text, events, &block);
        block.Events[events].Direction = row.kind == RowKind::Release ? 1 : 0;
        ++events;
    }
    block.EventCount = static_cast<std::uint8_t>(events);
    return block;
}

bool SameMacroBlock(const MacroBlock& a, const MacroBlock& b)
{
    if (MacroBlockName(a) != MacroBlockName(b) || a.EventCount != b.EventCount)
        return false;
    const int count = std::min<int>(a.EventCount, MacroEventsPerBlock);
    for (int i = 0; i < count; ++i) {
        const DeviceEvent& x = a.Events[i];
        const DeviceEvent& y = b.Events[i];
        if (x.Direction != y.Direction || x.Kind != y.Kind || x.Code != y.Code || x.DelayMs != y.DelayMs)
            return false;
    }
    return true;
}
