// The launcher's words to each browser: service names, URL forms, the DDE item and the command line.
#include "BrowserSlots.h"

#include <gtest/gtest.h>

using namespace pagetool;

TEST(BrowserSlots, ServiceNamesAndSlotsOutOfRange) {
    EXPECT_STREQ(ddeServiceName(0), "IExplore");
    EXPECT_STREQ(ddeServiceName(2), "Netscape6");
    EXPECT_STREQ(ddeServiceName(3), "FireFox");
    EXPECT_STREQ(ddeServiceName(4), "Opera");
    EXPECT_STREQ(ddeServiceName(5), "Mozilla");
    EXPECT_EQ(ddeServiceName(6), nullptr);
}

TEST(BrowserSlots, PathFormPerSlot) {
    const std::string path = "C:\\\x95\x5c\\~index.1.html";  // C:\表\~index.1.html
    EXPECT_EQ(fileUrl(0, path), "file://" + path);
    EXPECT_EQ(fileUrl(1, path), "file://" + path);
    EXPECT_EQ(fileUrl(3, path), "file://C:/%95%5C/~index.1.html");
    EXPECT_EQ(fileUrl(4, path), "file://C:/%E8%A1%A8/~index.1.html");
    EXPECT_EQ(openUrlItem(3, "C:\\a.html"), "\"file://C:/a.html\",,4294967295,3,,,");
    EXPECT_EQ(browserCommandLine("C:\\Program Files\\fx\\fx.exe", 3, "C:\\a b.html"),
              "\"C:\\Program Files\\fx\\fx.exe\" \"file://C:/a b.html\"");
}
