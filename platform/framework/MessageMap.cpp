#include "platform/framework/MessageMap.h"

namespace {

// LOWORD and HIWORD of a WM_COMMAND's wParam: the command or control id and the
// notification code.
int CommandId(os::WPARAM wParam) {
    return static_cast<int>(wParam & 0xFFFF);
}
os::UINT NotificationCode(os::WPARAM wParam) {
    return static_cast<os::UINT>((wParam >> 16) & 0xFFFF);
}

bool Matches(const MessageMapEntry& entry, os::UINT message, os::WPARAM wParam) {
    if (entry.message != message)
        return false;
    if (message != os::WM_COMMAND)
        return true;
    return entry.id == CommandId(wParam) && entry.code == NotificationCode(wParam);
}

} // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, os::UINT message,
                                        os::WPARAM wParam) {
    for (; map; map = map->base)
        for (const MessageMapEntry* entry = map->entries; entry->handler; ++entry)
            if (Matches(*entry, message, wParam))
                return entry;
    return nullptr;
}
