#include "platform/shell/uri.h"

#include <gtest/gtest.h>

namespace win32::shell {
namespace {

TEST(Uri, WellFormedAddressesStayAsWritten) {
    for (const char* uri : {"https://www.example.com/", "http://example.org/a/b?x=1&y=2#top", "mailto:porari@example.com",
                            "mailto:?body=abc&", "mailto:?body=", "https://[::1]:8080/p", "ftp://h/%41%7e",
                            "https://example.com/~a_b-c.d!$'()*+,;=:@"}) {
        EXPECT_EQ(ToUri(uri), uri);
    }
}

TEST(Uri, WhatAUriCannotHoldIsEncoded) {
    EXPECT_EQ(ToUri("mailto:?body=line one\r\nline two&"), "mailto:?body=line%20one%0D%0Aline%20two&");
    EXPECT_EQ(ToUri("mailto:?body=a\"b<c>d\\e^f`g{h|i}j\x7F&"),
              "mailto:?body=a%22b%3Cc%3Ed%5Ce%5Ef%60g%7Bh%7Ci%7Dj%7F&");
    EXPECT_EQ(ToUri("mailto:?body=100% & 50%2&"), "mailto:?body=100%25%20&%2050%252&");
    EXPECT_EQ(ToUri("mailto:?body=日本&"), "mailto:?body=%E6%97%A5%E6%9C%AC&");
    EXPECT_EQ(ToUri("mailto:?body=ｱ&"), "mailto:?body=%EF%BD%B1&");
    // A body keeps its '#', which in mailto: would otherwise end it.
    EXPECT_EQ(ToUri("mailto:?body=#1 [x]&"), "mailto:?body=%231%20%5Bx%5D&");
    // Web addresses keep one fragment and their host's brackets only.
    EXPECT_EQ(ToUri("https://example.com/a b#frag#more"), "https://example.com/a%20b#frag%23more");
    EXPECT_EQ(ToUri("https://example.com/[x]"), "https://example.com/%5Bx%5D");
    EXPECT_EQ(ToUri("www.example.com/a b"), "http://www.example.com/a%20b");
}

TEST(Uri, BrokenTextBecomesReplacementCharacters) {
    EXPECT_EQ(ToUri("mailto:?body=\xFF\x80z&"), "mailto:?body=%EF%BF%BD%EF%BF%BDz&");
    // A byte escape of the code page (an undecodable Shift-JIS byte).
    EXPECT_EQ(ToUri("mailto:?body=\xED\xB2\x81&"), "mailto:?body=%EF%BF%BD&");
    EXPECT_EQ(ToUri("mailto:?body=\xE6\x97&"), "mailto:?body=%EF%BF%BD%EF%BF%BD&");
}

TEST(Uri, Schemes) {
    EXPECT_EQ(UriScheme("MailTo:x"), "mailto");
    EXPECT_EQ(UriScheme("https://x"), "https");
    EXPECT_EQ(UriScheme("svn+ssh://x"), "svn+ssh");
    EXPECT_EQ(UriScheme("c:/dir"), std::nullopt);
    EXPECT_EQ(UriScheme("/home/user/a:b"), std::nullopt);
    EXPECT_EQ(UriScheme("no scheme"), std::nullopt);
    EXPECT_EQ(UriScheme(""), std::nullopt);
}

}  // namespace
}  // namespace win32::shell
