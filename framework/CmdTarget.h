// CCmdTarget: anything with a message map that commands can be routed to.
#pragma once
#include "framework/MessageMap.h"

class CCmdTarget {
public:
    virtual ~CCmdTarget() = default;

    // Runs the command handler for id and code; false when there is none.
    virtual bool OnCmdMsg(UINT id, UINT code);
    // Runs the command-update handler for ui's identifier; false when none.
    virtual bool OnCmdUpdate(CCmdUI* ui);
    // True when a command handler for id exists along the route.
    virtual bool HasCommandHandler(UINT id) const;

protected:
    virtual const MessageMap* GetMessageMap() const;

    // Searches this object's own maps (no routing).
    const MessageEntry* FindEntry(MessageEntry::Kind kind, UINT first, UINT code) const;
};
