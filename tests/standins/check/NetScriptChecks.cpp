// The script text the test programs write is the one the DLLs understand.
#include <gtest/gtest.h>

#include "tests/standins/check/CheckFolder.h"
#include "tests/standins/common/ModuleFiles.h"
#include "tests/standins/netfake/NetScript.h"

namespace standins {
namespace {

TEST(NetScript, WhatIsWrittenIsReadBack)
{
    NetScript script;
    NetInterface wide;
    wide.index = 7;
    wide.speed = 100000000;
    wide.inOctets = 5000000000ull;  // beyond 32 bits
    wide.outOctets = 0xFFFFFFFFFFFFFFFFull;
    wide.description = "  two leading blanks, Loopback later";
    NetInterface bare;
    bare.index = 2;
    script.interfaces = {wide, bare};
    script.addresses = {{"192.168.1.5", "255.255.255.0", 7}, {"0.0.0.0", "0.0.0.0", 0}};
    script.connected = true;
    script.connectionFlags = 0x12;
    script.failures["GetIfTable"] = 31;

    const NetScript read = ParseNetScript(FormatNetScript(script));
    ASSERT_EQ(read.interfaces.size(), 2u);
    EXPECT_EQ(read.interfaces[0].index, 7u);
    EXPECT_EQ(read.interfaces[0].speed, 100000000u);
    EXPECT_EQ(read.interfaces[0].inOctets, 5000000000ull);
    EXPECT_EQ(read.interfaces[0].outOctets, 0xFFFFFFFFFFFFFFFFull);
    EXPECT_EQ(read.interfaces[0].description, "  two leading blanks, Loopback later");
    EXPECT_EQ(read.interfaces[1].index, 2u);
    EXPECT_EQ(read.interfaces[1].description, "");
    ASSERT_EQ(read.addresses.size(), 2u);
    EXPECT_EQ(read.addresses[0].address, "192.168.1.5");
    EXPECT_EQ(read.addresses[0].mask, "255.255.255.0");
    EXPECT_EQ(read.addresses[0].interfaceIndex, 7u);
    EXPECT_EQ(read.addresses[1].address, "0.0.0.0");
    EXPECT_TRUE(read.connected);
    EXPECT_EQ(read.connectionFlags, 0x12u);
    ASSERT_EQ(read.failures.count("GetIfTable"), 1u);
    EXPECT_EQ(read.failures.at("GetIfTable"), 31u);
}

TEST(NetScript, HandWrittenLinesAndNonsense)
{
    const NetScript read = ParseNetScript("# a comment\n"
                                          "\n"
                                          "if 1 0x10 010 20 hex speed, decimal octets\r\n"
                                          "if x 1 2 3 not a number\n"
                                          "if 2 1 2\n"
                                          "if 3 -1 2 3 negative\n"
                                          "addr 10.0.0.1 255.0.0.0\n"
                                          "addr 256.0.0.1 255.0.0.0\n"
                                          "addr 10.0.0 255.0.0.0\n"
                                          "connected 2 0\n"
                                          "connected 0 0x20\n"
                                          "fail GetIpAddrTable 0x1F\n"
                                          "unknown 1 2 3\n");
    ASSERT_EQ(read.interfaces.size(), 1u);
    EXPECT_EQ(read.interfaces[0].speed, 16u);
    EXPECT_EQ(read.interfaces[0].inOctets, 10u);  // decimal, not octal
    EXPECT_EQ(read.interfaces[0].description, "hex speed, decimal octets");
    ASSERT_EQ(read.addresses.size(), 1u);
    EXPECT_EQ(read.addresses[0].interfaceIndex, 0u);
    EXPECT_FALSE(read.connected);
    EXPECT_EQ(read.connectionFlags, 0x20u);
    EXPECT_EQ(read.failures.at("GetIpAddrTable"), 31u);
}

TEST(NetScript, NoFileMeansNothingAndOffline)
{
    const NetScript read = ParseNetScript("");
    EXPECT_TRUE(read.interfaces.empty());
    EXPECT_TRUE(read.addresses.empty());
    EXPECT_FALSE(read.connected);
    EXPECT_EQ(read.connectionFlags, 0u);
}

TEST(NetScript, DottedAddressesAreInNetworkOrder)
{
    DWORD address = 0;
    ASSERT_TRUE(ParseDottedAddress("192.168.1.5", address));
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&address);
    EXPECT_EQ(bytes[0], 192);
    EXPECT_EQ(bytes[3], 5);
    for (const char* bad :
         {"", "1.2.3", "1.2.3.4.5", "1.2.3.256", "1..2.3", "1.2.3.4 ", "a.b.c.d", "1.2.3.0004"}) {
        EXPECT_FALSE(ParseDottedAddress(bad, address)) << bad;
    }
}

// Wine does not replace a file that is open, whatever its sharing; the DLLs
// hold the script only while they read it, and the writer tries again
// meanwhile. A reader that never lets go keeps the old script, whole.
TEST(NetScript, IsReplacedWholeOrNotAtAll)
{
    CheckFolder folder;
    const std::string path = folder.File("netfake.txt");
    NetScript first;
    first.connected = true;
    ASSERT_TRUE(WriteNetScript(path, first));
    NetScript second;
    second.connectionFlags = 0x20;
    {
        FileHandle reader(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, NULL,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL));
        ASSERT_TRUE(reader.IsValid());
        EXPECT_FALSE(WriteNetScript(path, second));
    }
    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text, FormatNetScript(first));
    ASSERT_TRUE(WriteNetScript(path, second));
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text, "connected 0 32\r\n");
    EXPECT_EQ(GetFileAttributesA((path + ".new").c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
}  // namespace standins
