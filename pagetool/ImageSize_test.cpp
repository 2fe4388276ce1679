// Image sizes from real files of every kind (made by testdata/make-images.sh) and from broken or
// mislabelled ones.
#include "ImageSize.h"

#include <gtest/gtest.h>

#include <vector>

using pagetool::ImageKind;
using pagetool::ImageSize;
using pagetool::imageFileSize;
using pagetool::imageKindOf;
using pagetool::MemoryBytes;
using pagetool::readImageSize;

namespace {
std::string image(const char* name) { return std::string(PAGETOOL_IMAGES) + "/" + name; }

// "WxH" or "none".
std::string sizeOf(const std::string& path) {
    ImageSize size;
    if (!imageFileSize(path, &size)) return "none";
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}

std::string sizeOfBytes(ImageKind kind, const std::vector<uint8_t>& bytes) {
    MemoryBytes source(bytes.data(), bytes.size());
    ImageSize size;
    if (!readImageSize(kind, source, &size)) return "none";
    return std::to_string(size.width) + "x" + std::to_string(size.height);
}
}  // namespace

TEST(ImageSize, RealFilesOfEveryKind) {
    for (const char* name : {"rose87a.gif", "rose89a.gif", "rose.png", "rose.jpg", "rose-progressive.jpg",
                             "rose-comment.jpg", "rose.bmp"})
        EXPECT_EQ(sizeOf(image(name)), "70x46") << name;
    EXPECT_EQ(sizeOf(image("one.png")), "1x1");
    for (const char* name : {"python.gif", "python.jpg", "python.png", "python.bmp"})
        EXPECT_EQ(sizeOf(image(name)), "16x16") << name;
}

TEST(ImageSize, FilesWithoutAKnownSize) {
    EXPECT_EQ(sizeOf(image("rose-c1.jpg")), "none");    // extended sequential frame
    EXPECT_EQ(sizeOf(image("gif-named.png")), "none");  // the extension decides
    EXPECT_EQ(sizeOf(image("empty.png")), "none");
    EXPECT_EQ(sizeOf(image("missing.png")), "none");
    EXPECT_EQ(sizeOf(image("make-images.sh")), "none");
}

TEST(ImageSize, KindFromTheExtension) {
    EXPECT_EQ(imageKindOf("C:\\a\\b.JPEG"), ImageKind::Jpeg);
    EXPECT_EQ(imageKindOf("b.Jpg"), ImageKind::Jpeg);
    EXPECT_EQ(imageKindOf("b.png"), ImageKind::Png);
    EXPECT_EQ(imageKindOf("b.GIF"), ImageKind::Gif);
    EXPECT_EQ(imageKindOf("b.bmp"), ImageKind::Bmp);
    EXPECT_EQ(imageKindOf("b.pngx"), ImageKind::Unknown);
    EXPECT_EQ(imageKindOf("C:\\x.png\\b"), ImageKind::Unknown);  // a dot in a folder name only
    EXPECT_EQ(imageKindOf("png"), ImageKind::Unknown);
}

TEST(ImageSize, BrokenJpegSegments) {
    // A segment whose length cannot count itself ends the search instead of looping.
    for (uint8_t low : {0, 1})
        EXPECT_EQ(sizeOfBytes(ImageKind::Jpeg, {0xFF, 0xD8, 0xFF, 0xE0, 0x00, low, 0xFF, 0xC0}), "none");
    // Cut inside the frame header, a segment not starting FF, a wrong start of image.
    EXPECT_EQ(sizeOfBytes(ImageKind::Jpeg, {0xFF, 0xD8, 0xFF, 0xC0, 0x00, 0x11, 0x08, 0x00, 0x2E}), "none");
    EXPECT_EQ(sizeOfBytes(ImageKind::Jpeg, {0xFF, 0xD8, 0x00, 0xC0, 0x00, 0x11, 0x08, 0, 1, 0, 2}), "none");
    EXPECT_EQ(sizeOfBytes(ImageKind::Jpeg, {0xFF, 0xD9}), "none");
    // A skipped segment, then a progressive frame: height first.
    EXPECT_EQ(sizeOfBytes(ImageKind::Jpeg, {0xFF, 0xD8, 0xFF, 0xFE, 0x00, 0x03, 0x41, 0xFF, 0xC2, 0x00,
                                            0x11, 0x08, 0x00, 0x2E, 0x00, 0x46}),
              "70x46");
    // A length that points past the end.
    EXPECT_EQ(sizeOfBytes(ImageKind::Jpeg, {0xFF, 0xD8, 0xFF, 0xFE, 0xFF, 0xFF, 0x41}), "none");
}

TEST(ImageSize, BrokenOtherHeaders) {
    std::vector<uint8_t> bmp(54, 0);
    bmp[0] = 'B';
    bmp[1] = 'M';
    EXPECT_EQ(sizeOfBytes(ImageKind::Bmp, bmp), "none");  // zero sides
    bmp[18] = 70;
    bmp[22] = 0xD2;  // -46: stored top row first
    bmp[23] = bmp[24] = bmp[25] = 0xFF;
    EXPECT_EQ(sizeOfBytes(ImageKind::Bmp, bmp), "70x46");
    bmp.pop_back();
    EXPECT_EQ(sizeOfBytes(ImageKind::Bmp, bmp), "none");  // cut short
    EXPECT_EQ(sizeOfBytes(ImageKind::Gif, {'G', 'I', 'F', '8', '8', 'a', 1, 0, 1, 0}), "none");
    EXPECT_EQ(sizeOfBytes(ImageKind::Gif, {'G', 'I', 'F', '8', '9', 'a', 1, 0, 1}), "none");
    EXPECT_EQ(sizeOfBytes(ImageKind::Png, std::vector<uint8_t>(23, 'P')), "none");
    EXPECT_EQ(sizeOfBytes(ImageKind::Unknown, std::vector<uint8_t>(64, 0)), "none");
}
