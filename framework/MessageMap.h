// Message maps: per-class tables of what a window does with each message and
// command, searched from the most derived class to its bases. An entry binds
// a message, a range of messages, a registered message, a command (with its
// notification code) or a command update to a member handler of the class.
//
// Handler shapes:  void Fn()                    any entry
//                  LRESULT Fn(WPARAM, LPARAM)   message entries
//                  void Fn(CCmdUI*)             command-update entries
#pragma once
#include <cstddef>

#include "framework/Win32.h"

class CCmdTarget;
class CCmdUI;

struct MessageEntry {
    enum class Kind { Message, Registered, Command, CommandUpdate, Default };
    using Call = LRESULT (*)(CCmdTarget&, WPARAM, LPARAM);
    using Update = void (*)(CCmdTarget&, CCmdUI*);

    Kind kind;
    UINT first;              // message, or command identifier
    UINT last;               // last message of a range, or notification code
    const UINT* registered;  // registered message number, known at run time
    Call call;
    Update update;
};

class MessageMap {
public:
    template <size_t N>
    MessageMap(const MessageMap* base, const MessageEntry (&entries)[N])
        : m_base(base), m_begin(entries), m_end(entries + N)
    {
    }
    explicit MessageMap(const MessageMap* base) : m_base(base), m_begin(nullptr), m_end(nullptr) {}

    const MessageMap* Base() const { return m_base; }
    const MessageEntry* begin() const { return m_begin; }
    const MessageEntry* end() const { return m_end; }

private:
    const MessageMap* m_base;
    const MessageEntry* m_begin;
    const MessageEntry* m_end;
};

namespace msgmap_detail {

template <class F>
struct ClassOf;
template <class T, class R, class... A>
struct ClassOf<R (T::*)(A...)> {
    using type = T;
};

template <class T>
LRESULT Call(T& target, void (T::*fn)(), WPARAM, LPARAM)
{
    (target.*fn)();
    return 0;
}
template <class T>
LRESULT Call(T& target, LRESULT (T::*fn)(WPARAM, LPARAM), WPARAM w, LPARAM l)
{
    return (target.*fn)(w, l);
}

template <auto Fn>
LRESULT Thunk(CCmdTarget& target, WPARAM w, LPARAM l)
{
    using T = typename ClassOf<decltype(Fn)>::type;
    return Call(static_cast<T&>(target), Fn, w, l);
}

template <auto Fn>
void UpdateThunk(CCmdTarget& target, CCmdUI* ui)
{
    using T = typename ClassOf<decltype(Fn)>::type;
    (static_cast<T&>(target).*Fn)(ui);
}

}  // namespace msgmap_detail

template <auto Fn>
MessageEntry Message(UINT message)
{
    return {MessageEntry::Kind::Message, message, message, nullptr,
            &msgmap_detail::Thunk<Fn>,   nullptr};
}

template <auto Fn>
MessageEntry MessageRange(UINT first, UINT last)
{
    return {MessageEntry::Kind::Message, first, last, nullptr, &msgmap_detail::Thunk<Fn>, nullptr};
}

template <auto Fn>
MessageEntry RegisteredMessage(const UINT* message)
{
    return {MessageEntry::Kind::Registered, 0, 0, message, &msgmap_detail::Thunk<Fn>, nullptr};
}

template <auto Fn>
MessageEntry Command(UINT id, UINT code = 0)
{
    return {MessageEntry::Kind::Command, id, code, nullptr, &msgmap_detail::Thunk<Fn>, nullptr};
}

template <auto Fn>
MessageEntry CommandUpdate(UINT id)
{
    return {MessageEntry::Kind::CommandUpdate, id, id, nullptr, nullptr,
            &msgmap_detail::UpdateThunk<Fn>};
}

// The message takes the window's default processing, as if no entry existed;
// the entry stops the search of base classes' maps.
inline MessageEntry DefaultFor(UINT message)
{
    return {MessageEntry::Kind::Default, message, message, nullptr, nullptr, nullptr};
}

// The command is handled by doing nothing.
inline MessageEntry IgnoreCommand(UINT id)
{
    return {MessageEntry::Kind::Command, id, 0, nullptr, nullptr, nullptr};
}
