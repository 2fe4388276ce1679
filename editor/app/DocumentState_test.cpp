// Tests of the document's state: the modified state from the edit marks, the path and file name
// with Shift_JIS traps, the type an extension suggests and the window title.
#include "DocumentState.h"

#include <gtest/gtest.h>

#include <string>

#include "FrameTexts.h"

TEST(DocumentState, ModifiedStateFollowsTheMarks) {
    DocumentState d;
    EXPECT_FALSE(d.isModified());
    EXPECT_TRUE(d.isEmpty());

    EXPECT_TRUE(d.changed(5));   // typing: modified now
    EXPECT_TRUE(d.isModified());
    EXPECT_FALSE(d.isEmpty());   // an untitled window with text is not empty
    EXPECT_FALSE(d.changed(6));  // more typing: still modified, no change to report
    d.markSaved();
    EXPECT_FALSE(d.isModified());
    EXPECT_TRUE(d.changed(5));   // undo past the save
    EXPECT_TRUE(d.changed(6));   // redo back to the saved text
    EXPECT_FALSE(d.isModified());

    // Save as forces a save even of an unchanged text, whatever the control's marker.
    d.markUnsaved();
    EXPECT_TRUE(d.isModified());
    d.resetMarks();
    EXPECT_FALSE(d.isModified());
    EXPECT_FALSE(d.changed(0));

    d.setPath("C:\\a.txt");
    EXPECT_FALSE(d.isEmpty());
}

TEST(DocumentState, PathAndFileName) {
    DocumentState d;
    EXPECT_FALSE(d.titled());
    EXPECT_STREQ(d.fileName(), ulo_text::kUntitled);

    d.setPath("C:\\web\\index.html");
    EXPECT_TRUE(d.titled());
    EXPECT_STREQ(d.path(), "C:\\web\\index.html");
    EXPECT_STREQ(d.fileName(), "index.html");

    // 表 (95 5C) and ソ (83 5C) end in a byte that looks like a backslash: not a folder end.
    d.setPath("C:\\\x95\x5c\\\x83\x5c.txt");
    EXPECT_STREQ(d.fileName(), "\x83\x5c.txt");
    d.setPath("C:\\dir\\\x95\x5c");
    EXPECT_STREQ(d.fileName(), "\x95\x5c");
    // A lead byte as the last byte does not swallow the terminator.
    d.setPath("C:\\x\x95");
    EXPECT_STREQ(d.fileName(), "x\x95");

    // Paths are cut to 510 bytes.
    std::string longPath = "C:\\" + std::string(600, 'a');
    d.setPath(longPath.c_str());
    EXPECT_EQ(std::string(d.path()), longPath.substr(0, 510));

    d.setPath(nullptr);
    EXPECT_FALSE(d.titled());
    EXPECT_STREQ(d.fileName(), ulo_text::kUntitled);

    d.setLastPath(longPath.c_str());
    EXPECT_EQ(std::string(d.lastPath()).size(), 510u);
}

TEST(DocumentState, TypeFromExtension) {
    const int html = 28102, plain = 28001;
    for (const char* p : {"a.html", "C:\\w\\A.HTM", "x.shtml", "x.Jsp", "x.asp", "x.php"})
        EXPECT_EQ(typeFromExtension(p, html, plain), html) << p;
    for (const char* p : {"a.txt", "noext", "a.html.bak", "C:\\site.html\\readme", "a.htmlx", "a.", ".ht"})
        EXPECT_EQ(typeFromExtension(p, html, plain), plain) << p;
    // The folder part ends at a real backslash only: 表 (95 5C) does not end it.
    EXPECT_EQ(typeFromExtension("C:\\a.html\\\x95\x5c", html, plain), plain);
    EXPECT_EQ(typeFromExtension("C:\\\x95\x5c.html", html, plain), html);
}

TEST(DocumentState, TitleText) {
    DocumentState d;
    char title[600];
    titleText(title, sizeof title, d, true, "App", "Untitled");
    EXPECT_STREQ(title, "Untitled - App");
    d.changed(3);
    titleText(title, sizeof title, d, false, "App", "Untitled");
    EXPECT_STREQ(title, "Untitled * - App");
    d.setPath("C:\\web\\index.html");
    titleText(title, sizeof title, d, true, "App", "Untitled");
    EXPECT_STREQ(title, "C:\\web\\index.html * - App");
    d.markSaved();
    titleText(title, sizeof title, d, false, "App", "Untitled");
    EXPECT_STREQ(title, "index.html - App");
}
