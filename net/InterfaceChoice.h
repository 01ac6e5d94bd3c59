// Which entry of the Network Interface list stands for the chosen adapter.
//
// An adapter is known by what it is, not by where its entry stands: first by
// its interface LUID, which persists across restarts, then by its
// description, which an adapter that a VPN client removes and creates again
// keeps while its LUID and index change. The interface index may change even
// without a restart, so it identifies nothing across changes of the list.
#pragma once
#include "framework/Win32.h"

// What bDescr holds at most, terminator included.
constexpr int kIdentityDescriptionBytes = 256;

struct InterfaceIdentity {
    ULONG64 luid = 0;  // 0: not known (no LUID query, or none answered)
    char description[kIdentityDescriptionBytes] = "";

    bool IsKnown() const { return luid != 0 || description[0] != '\0'; }
};

// The description of a row's bDescr, which may lack a terminator, as a text.
void SetIdentityDescription(InterfaceIdentity& identity, const BYTE* descr, size_t descrBytes);

// The entry of the count entries that is wanted: the first with its LUID,
// else the first with its description; -1 when none is, or wanted is not
// known.
int FindIdentity(const InterfaceIdentity* entries, int count, const InterfaceIdentity& wanted);

// The choice as it stands between rebuilds of the list.
struct InterfaceChoice {
    // The adapter whose entry is chosen (or was, while it is gone).
    InterfaceIdentity chosen;
    bool haveChosen = false;
    // The adapter stored by the last run, not yet seen in this one: the list
    // switches to it when it appears, unless the user chose in the meantime.
    InterfaceIdentity stored;
    bool awaitingStored = false;
    // The stored entry position, for a list that has chosen nothing yet.
    int storedPosition = 0;
};

// Starts a choice from the stored values; the identity may be unknown (a
// settings key of an older version).
InterfaceChoice StartChoice(int storedPosition, const InterfaceIdentity& storedIdentity);

// The entry to select in a list (built anew) of count entries, updating the
// choice: the stored adapter once it appears; else the chosen adapter where
// it is listed, none while it is gone; else, while nothing was ever chosen,
// the entry at the stored position if there is one.
int ChooseEntry(InterfaceChoice& choice, const InterfaceIdentity* entries, int count);

// The user chose entry (one of count): it is the chosen adapter from now on,
// and the stored one is no longer awaited.
void ChooseByUser(InterfaceChoice& choice, const InterfaceIdentity* entries, int count, int entry);
