#include "net/InterfaceChoice.h"

#include <cstring>

void SetIdentityDescription(InterfaceIdentity& identity, const BYTE* descr, size_t descrBytes)
{
    size_t length = 0;
    while (length < descrBytes && length + 1 < sizeof identity.description && descr[length])
        ++length;
    std::memcpy(identity.description, descr, length);
    identity.description[length] = '\0';
}

int FindIdentity(const InterfaceIdentity* entries, int count, const InterfaceIdentity& wanted)
{
    if (!entries)
        return -1;
    if (wanted.luid != 0) {
        for (int i = 0; i < count; ++i) {
            if (entries[i].luid == wanted.luid)
                return i;
        }
    }
    if (wanted.description[0] != '\0') {
        for (int i = 0; i < count; ++i) {
            if (std::strcmp(entries[i].description, wanted.description) == 0)
                return i;
        }
    }
    return -1;
}

InterfaceChoice StartChoice(int storedPosition, const InterfaceIdentity& storedIdentity)
{
    InterfaceChoice choice;
    choice.stored = storedIdentity;
    choice.awaitingStored = storedIdentity.IsKnown();
    choice.storedPosition = storedPosition;
    return choice;
}

int ChooseEntry(InterfaceChoice& choice, const InterfaceIdentity* entries, int count)
{
    if (choice.awaitingStored) {
        const int stored = FindIdentity(entries, count, choice.stored);
        if (stored >= 0) {
            choice.awaitingStored = false;
            choice.chosen = entries[stored];
            choice.haveChosen = true;
            return stored;
        }
    }
    if (choice.haveChosen)
        return FindIdentity(entries, count, choice.chosen);
    if (!entries || choice.storedPosition < 0 || choice.storedPosition >= count)
        return -1;
    choice.chosen = entries[choice.storedPosition];
    choice.haveChosen = true;
    return choice.storedPosition;
}

void ChooseByUser(InterfaceChoice& choice, const InterfaceIdentity* entries, int count, int entry)
{
    if (!entries || entry < 0 || entry >= count)
        return;
    choice.chosen = entries[entry];
    choice.haveChosen = true;
    choice.awaitingStored = false;
}
