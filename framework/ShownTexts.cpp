#include "framework/ShownTexts.h"

#include "framework/Exception.h"

namespace {

// The user can change the text of an edit field or a combobox at any time
// without the program knowing, so a push reads those back to compare. A
// label's text changes only when a WM_SETTEXT reaches it (another process
// has no other way: SetWindowText cannot change its controls), and the
// next pull reads whatever it was; until then a push trusts what the
// exchange last wrote or read.
bool TakesTypedText(HWND control)
{
    char name[16] = "";
    return ::GetClassNameA(control, name, sizeof name) == 0 || ::lstrcmpiA(name, "Static") != 0;
}

}  // namespace

CShownTexts::Entry& CShownTexts::Of(HWND dialog, int id)
{
    if (dialog != m_hDialog) {
        Forget();
        m_hDialog = dialog;
    }
    for (Entry& entry : m_entries) {
        if (entry.id == id)
            return entry;
    }
    HWND control = ::GetDlgItem(dialog, id);
    if (!control)
        throw CDataExchangeException();
    Entry entry;
    entry.id = id;
    entry.control = control;
    entry.typed = TakesTypedText(control);
    m_entries.push_back(std::move(entry));
    return m_entries.back();
}

void CShownTexts::Forget()
{
    m_entries.clear();
    m_hDialog = nullptr;
}
