// The version resource that Explorer's properties page shows.
#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/Harness.h"

namespace {

std::string VersionString(const std::vector<char>& block, const char* name)
{
    char* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904b0\\") + name;
    if (!VerQueryValueA(block.data(), path.c_str(), reinterpret_cast<void**>(&value), &length) ||
        !value)
        return "<missing>";
    return std::string(value);
}

}  // namespace

TEST(VersionResource, NamesTheProductAndItsVersion)
{
    const std::string exe = e2e::VelorixExe();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(exe.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<char> block(size);
    ASSERT_TRUE(GetFileVersionInfoA(exe.c_str(), 0, size, block.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(MAKELONG(6, 4), fixed->dwFileVersionMS);
    EXPECT_EQ(0u, fixed->dwFileVersionLS);
    EXPECT_EQ(MAKELONG(6, 4), fixed->dwProductVersionMS);
    EXPECT_EQ(0u, fixed->dwProductVersionLS);

    EXPECT_EQ("Velorix", VersionString(block, "FileDescription"));
    EXPECT_EQ("Velorix", VersionString(block, "ProductName"));
    EXPECT_EQ("Velorix.exe", VersionString(block, "InternalName"));
    EXPECT_EQ("Velorix.exe", VersionString(block, "OriginalFilename"));
}
