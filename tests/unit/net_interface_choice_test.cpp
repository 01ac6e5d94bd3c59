// Which entry stands for the chosen adapter as the list is built anew.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "net/InterfaceChoice.h"

namespace {

InterfaceIdentity Adapter(ULONG64 luid, const char* description)
{
    InterfaceIdentity identity;
    identity.luid = luid;
    std::strcpy(identity.description, description);
    return identity;
}

int Choose(InterfaceChoice& choice, const std::vector<InterfaceIdentity>& entries)
{
    return ChooseEntry(choice, entries.data(), static_cast<int>(entries.size()));
}

const InterfaceIdentity kWired = Adapter(0x60000001, "Wired");
const InterfaceIdentity kWiFi = Adapter(0x47000002, "Wi-Fi");
const InterfaceIdentity kVpn = Adapter(0x35000003, "VPN Adapter");

}  // namespace

TEST(InterfaceChoice, TheLuidComesFirstThenTheDescription)
{
    const InterfaceIdentity renamed = Adapter(kWiFi.luid, "Wi-Fi 2");
    const InterfaceIdentity recreated = Adapter(0x35000009, "VPN Adapter");
    const std::vector<InterfaceIdentity> entries = {kVpn, recreated, renamed};
    EXPECT_EQ(2, FindIdentity(entries.data(), 3, kWiFi)) << "same LUID, another description";
    EXPECT_EQ(1, FindIdentity(entries.data(), 3, recreated));
    EXPECT_EQ(0, FindIdentity(entries.data(), 3, Adapter(0x35000077, "VPN Adapter")));
    EXPECT_EQ(-1, FindIdentity(entries.data(), 3, Adapter(0, "")));
    EXPECT_EQ(-1, FindIdentity(entries.data(), 3, kWired));
}

TEST(InterfaceChoice, ADescriptionWithoutTerminatorIsCutToTheText)
{
    BYTE descr[300];
    std::memset(descr, 'x', sizeof descr);
    InterfaceIdentity identity;
    SetIdentityDescription(identity, descr, sizeof descr);
    EXPECT_EQ(255u, std::strlen(identity.description));
    SetIdentityDescription(identity, reinterpret_cast<const BYTE*>("Wired\0junk"), 10);
    EXPECT_STREQ("Wired", identity.description);
}

TEST(InterfaceChoice, TheStoredAdapterWinsOverThePosition)
{
    InterfaceChoice choice = StartChoice(0, kWiFi);
    EXPECT_EQ(1, Choose(choice, {kWired, kWiFi}));
    // Found once, it is the chosen adapter: it is not awaited any more.
    EXPECT_EQ(-1, Choose(choice, {kWired}));
}

// Wi-Fi connects after logon.
TEST(InterfaceChoice, AStoredAdapterNotThereYetIsTakenWhenItAppears)
{
    InterfaceChoice choice = StartChoice(0, kWiFi);
    EXPECT_EQ(-1, Choose(choice, {})) << "nothing to choose";
    EXPECT_EQ(0, Choose(choice, {kWired})) << "by position meanwhile";
    EXPECT_EQ(1, Choose(choice, {kVpn, kWired})) << "the adapter shown stays shown";
    EXPECT_EQ(2, Choose(choice, {kVpn, kWired, kWiFi}));
    EXPECT_EQ(1, Choose(choice, {kVpn, kWiFi}));
}

TEST(InterfaceChoice, TheUsersOwnChoiceEndsTheWaitForTheStoredAdapter)
{
    InterfaceChoice choice = StartChoice(0, kWiFi);
    const std::vector<InterfaceIdentity> before = {kWired, kVpn};
    EXPECT_EQ(0, Choose(choice, before));
    ChooseByUser(choice, before.data(), 2, 1);
    EXPECT_EQ(1, Choose(choice, {kWired, kVpn, kWiFi}));
    EXPECT_EQ(-1, Choose(choice, {kWired, kWiFi})) << "the user's adapter is gone: none";
}

// A settings key of an older version holds the position alone.
TEST(InterfaceChoice, APositionAloneChoosesOnceThenFollowsThatAdapter)
{
    InterfaceChoice choice = StartChoice(1, InterfaceIdentity{});
    EXPECT_EQ(-1, Choose(choice, {kWired})) << "no entry at the position";
    EXPECT_EQ(1, Choose(choice, {kWired, kWiFi}));
    EXPECT_EQ(2, Choose(choice, {kVpn, kWired, kWiFi}));
}
