// The six page commands of the tray menu, each opening its page in the
// browser.
#include <gtest/gtest.h>

#include "tests/e2e/launcher_helpers.h"

using e2e::Velorix;

TEST(LinksMenu, EachPageCommandOpensItsPage)
{
    e2e::ResetUserState();
    launcher::BrowserStandIn browser("links-menu");
    ASSERT_TRUE(browser.Registered());
    struct Page {
        int command;
        const char* address;
    };
    const Page pages[] = {
        {ID_LINK_SECURITY, "https://www.cisa.gov/news-events/news/risks-file-sharing-technology"},
        {ID_LINK_FILE_SHARING, "https://en.wikipedia.org/wiki/File_sharing"},
        {ID_LINK_ANONYMOUS, "https://geti2p.net/"},
        {ID_LINK_MUSIC_OFFER, "https://www.emusic.com/"},
        {ID_LINK_MEDIA, "https://archive.org/"},
        {ID_LINK_HELP, "https://www.velorix.net/help"},
    };
    Velorix app;
    ASSERT_NE(nullptr, app.Main());
    // One at a time: handlers started together may log in either order.
    for (size_t i = 0; i < sizeof pages / sizeof pages[0]; ++i) {
        EXPECT_TRUE(launcher::CommandReturns(app, pages[i].command)) << pages[i].command;
        const std::vector<std::string> lines = launcher::WaitForLines(browser.Log(), i + 1);
        ASSERT_EQ(i + 1, lines.size()) << pages[i].command;
        EXPECT_TRUE(launcher::EndsWith(lines.back(), std::string(" \"") + pages[i].address + "\""))
            << pages[i].command << ": " << lines.back();
    }
    EXPECT_EQ(nullptr, app.WaitForWindow("#32770", nullptr, 300));
}
