#include "framework/CmdTarget.h"

#include "framework/CmdUI.h"

const MessageMap* CCmdTarget::GetMessageMap() const
{
    static const MessageMap map(nullptr);
    return &map;
}

const MessageEntry* CCmdTarget::FindEntry(MessageEntry::Kind kind, UINT id, UINT code) const
{
    for (const MessageMap* map = GetMessageMap(); map; map = map->Base()) {
        for (const MessageEntry& entry : *map) {
            if (entry.kind != kind || entry.first != id)
                continue;
            if (kind == MessageEntry::Kind::Command && entry.last != code)
                continue;
            return &entry;
        }
    }
    return nullptr;
}

bool CCmdTarget::OnCmdMsg(UINT id, UINT code)
{
    const MessageEntry* entry = FindEntry(MessageEntry::Kind::Command, id, code);
    if (!entry)
        return false;
    if (entry->call)
        entry->call(*this, 0, 0);
    return true;
}

bool CCmdTarget::OnCmdUpdate(CCmdUI* ui)
{
    const MessageEntry* entry = FindEntry(MessageEntry::Kind::CommandUpdate, ui->m_nID, 0);
    if (!entry)
        return false;
    entry->update(*this, ui);
    return true;
}

bool CCmdTarget::HasCommandHandler(UINT id) const
{
    return FindEntry(MessageEntry::Kind::Command, id, 0) != nullptr;
}
