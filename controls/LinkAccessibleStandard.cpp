// What the link's accessible object leaves to the system's standard object
// for the window: everything but the role, the name and the default action
// (controls/LinkAccessible.cpp), and the way to them through IDispatch
// (controls/LinkAccessibleDispatch.cpp).
#include "controls/LinkAccessible.h"

STDMETHODIMP CLinkAccessible::get_accParent(IDispatch** parent)
{
    return m_pStandard->get_accParent(parent);
}

STDMETHODIMP CLinkAccessible::get_accChildCount(long* count)
{
    return m_pStandard->get_accChildCount(count);
}

STDMETHODIMP CLinkAccessible::get_accChild(VARIANT child, IDispatch** dispatch)
{
    return m_pStandard->get_accChild(child, dispatch);
}

STDMETHODIMP CLinkAccessible::get_accValue(VARIANT child, BSTR* value)
{
    return m_pStandard->get_accValue(child, value);
}

STDMETHODIMP CLinkAccessible::get_accDescription(VARIANT child, BSTR* description)
{
    return m_pStandard->get_accDescription(child, description);
}

STDMETHODIMP CLinkAccessible::get_accState(VARIANT child, VARIANT* state)
{
    return m_pStandard->get_accState(child, state);
}

STDMETHODIMP CLinkAccessible::get_accHelp(VARIANT child, BSTR* help)
{
    return m_pStandard->get_accHelp(child, help);
}

STDMETHODIMP CLinkAccessible::get_accHelpTopic(BSTR* file, VARIANT child, long* topic)
{
    return m_pStandard->get_accHelpTopic(file, child, topic);
}

STDMETHODIMP CLinkAccessible::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut)
{
    return m_pStandard->get_accKeyboardShortcut(child, shortcut);
}

STDMETHODIMP CLinkAccessible::get_accFocus(VARIANT* child)
{
    return m_pStandard->get_accFocus(child);
}

STDMETHODIMP CLinkAccessible::get_accSelection(VARIANT* children)
{
    return m_pStandard->get_accSelection(children);
}

STDMETHODIMP CLinkAccessible::accSelect(long flags, VARIANT child)
{
    return m_pStandard->accSelect(flags, child);
}

STDMETHODIMP CLinkAccessible::accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child)
{
    return m_pStandard->accLocation(left, top, width, height, child);
}

STDMETHODIMP CLinkAccessible::accNavigate(long direction, VARIANT start, VARIANT* end)
{
    return m_pStandard->accNavigate(direction, start, end);
}

STDMETHODIMP CLinkAccessible::accHitTest(long left, long top, VARIANT* child)
{
    return m_pStandard->accHitTest(left, top, child);
}

STDMETHODIMP CLinkAccessible::put_accName(VARIANT child, BSTR name)
{
    return m_pStandard->put_accName(child, name);
}

STDMETHODIMP CLinkAccessible::put_accValue(VARIANT child, BSTR value)
{
    return m_pStandard->put_accValue(child, value);
}
