// MainSettings: the default record, range checks and the byte codec of "main".
#include "MainSettings.h"

#include <algorithm>
#include <cstring>
#include <iterator>

#include "RecordBytes.h"

using namespace record_bytes;
namespace off = main_settings_offset;

const HtmlTypeChoice kOfferedHtmlTypes[12] = {
    {28105, "HTML 5"},
    {28101, "HTML 4.01 Strict"},
    {28102, "HTML 4.01 Transitional"},
    {28103, "HTML 4.01 Frameset"},
    {28111, "XHTML 1.0 Strict"},
    {28112, "XHTML 1.0 Transitional"},
    {28113, "XHTML 1.0 Frameset"},
    {28114, "XHTML 1.1"},
    {28181, "XHTML Basic"},
    {28182, "XHTML Mobile Profile 1.0"},
    {28199, "Internet Explorer \x8c\xc5\x97L"},  // Internet Explorer 固有
    {28166, "i-mode XHTML 1.0"},
};

const char* const kColourSlotNames[MainSettings::kColourCount] = {
    "\x94w\x8ci",                                             // 背景
    "\x83" "e\x83L\x83X\x83g",                                // テキスト
    "\x94w\x8ci(\x91I\x91\xf0\x94\xcd\x88\xcd)",                // 背景(選択範囲)
    "\x83" "e\x83L\x83X\x83g(\x91I\x91\xf0\x94\xcd\x88\xcd)",  // テキスト(選択範囲)
    "\x90\xa7\x8c\xe4\x95\xb6\x8e\x9a",                           // 制御文字
    "URL, e-mail",
    "HTML Element Name",
    "HTML Comment",
    "CSS Property Name",
    "\x8ds\x94\xd4\x8d\x86",  // 行番号
    "HTML Attribute Name",
    "HTML Attribute Value",
    "HTML Entity",
    "C/C++, Java, Perl Comment",
    "C/C++, Java, Perl Keyword",
    "C/C++, Java, Perl Literal",
    "CSS Property Value",
    "CSS RGB Value",
    "CSS Literal",
    "CSS Comment",
};

namespace {

constexpr uint32_t rgb(uint32_t r, uint32_t g, uint32_t b) { return r | g << 8 | b << 16; }

// The standard colour scheme, slot by slot.
constexpr uint32_t kStandardColours[MainSettings::kColourCount] = {
    rgb(250, 250, 250),  // 0 background
    rgb(0, 0, 0),        // 1 text
    rgb(195, 210, 255),  // 2 selection background
    rgb(0, 0, 0),        // 3 selection text
    rgb(140, 160, 210),  // 4 control characters
    rgb(0, 0, 190),      // 5 URL, e-mail
    rgb(0, 0, 255),      // 6 HTML element name
    rgb(150, 150, 150),  // 7 HTML comment
    rgb(0, 0, 255),      // 8 CSS property name
    rgb(150, 130, 140),  // 9 line numbers
    rgb(150, 80, 150),   // 10 HTML attribute name
    rgb(0, 137, 0),      // 11 HTML attribute value
    rgb(0, 187, 187),    // 12 HTML entity
    rgb(150, 150, 150),  // 13 program comment
    rgb(0, 0, 255),      // 14 program keyword
    rgb(119, 119, 0),    // 15 program literal
    rgb(119, 0, 119),    // 16 CSS property value
    rgb(0, 137, 0),      // 17 CSS RGB value
    rgb(119, 119, 0),    // 18 CSS literal
    rgb(150, 150, 150),  // 19 CSS comment
};

// "ＭＳ ゴシック" in Shift_JIS; several trail bytes look like ASCII letters.
constexpr char kDefaultFontFace[] = "\x82\x6c\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4e";

constexpr uint32_t kDefaultOptionFlags =
    OptionFlag::kShowToolbar | OptionFlag::kCheckOnSave | OptionFlag::kCheckOnPreview |
    OptionFlag::kReportContinuedConstant | OptionFlag::kReportUndefinedAttribute |
    OptionFlag::kPreviewLeft;

// New, open, save, separator, cut, copy, paste, separator, the four search items, separator and
// the document-type button.
constexpr uint32_t kDefaultToolbarMask = 0x1 | 0x2 | 0x4 | 0x10 | 0x20 | 0x40 | 0x80 | 0x100 |
                                         0x1000 | 0x2000 | 0x4000 | 0x8000 | 0x10000 |
                                         0x80000000u;

constexpr uint32_t kDefaultDisplayFlags = DisplayFlag::kLineNumbers |
                                          DisplayFlag::kFullWidthSpaces | DisplayFlag::kTabs |
                                          DisplayFlag::kLineEnds | DisplayFlag::kColourUrls;

bool validHtmlType(uint16_t id) {
    if (id == 0) return true;
    for (const HtmlTypeChoice& choice : kOfferedHtmlTypes) {
        if (choice.id == id) return true;
    }
    return false;
}

bool validUndoLimit(uint32_t bytes) {
    if (bytes == MainSettings::kUnlimitedUndo) return true;
    const uint32_t mib = bytes / MainSettings::kMiB;
    return bytes % MainSettings::kMiB == 0 && mib >= 1 && mib <= 1024;
}

}  // namespace

MainSettings MainSettings::defaults() {
    MainSettings s;
    std::memset(&s, 0, sizeof s);
    s.version = kVersion;
    s.option_flags = kDefaultOptionFlags;
    s.toolbar_mask = kDefaultToolbarMask;
    s.display_flags = kDefaultDisplayFlags;
    s.tab_width = 4;
    s.undo_limit = 8 * kMiB;
    s.wrap_columns = 76;
    s.font_points = 11;
    std::memcpy(s.font_face, kDefaultFontFace, sizeof kDefaultFontFace);
    std::copy(std::begin(kStandardColours), std::end(kStandardColours), s.colours);
    return s;
}

bool MainSettings::isValid() const {
    if (version != kVersion) return false;
    if (!validHtmlType(default_html_type)) return false;
    if (default_encoding > 5 || convert_encoding > 4 || convert_line_end > 3) return false;
    if (tab_width != 2 && tab_width != 4 && tab_width != 8) return false;
    if (!validUndoLimit(undo_limit)) return false;
    if (wrap_columns < 10 || wrap_columns > 500) return false;
    if (font_points < 6 || font_points > 36) return false;
    if (!hasTerminator(reinterpret_cast<const uint8_t*>(font_face), kFontFaceSize)) return false;
    // The fourth byte of a colour must be 0: other values select palette colours.
    for (uint32_t colour : colours) {
        if (colour > 0x00FFFFFFu) return false;
    }
    return true;
}

void MainSettings::encode(uint8_t* out) const {
    putU32(out, off::kVersion, version);
    putU32(out, off::kReserved1, 0);
    putU32(out, off::kReserved2, 0);
    putU32(out, off::kOptionFlags, option_flags);
    putU32(out, off::kToolbarMask, toolbar_mask);
    putU32(out, off::kReserved3, 0);
    putU16(out, off::kDefaultHtmlType, default_html_type);
    putU16(out, off::kDefaultEncoding, default_encoding);
    putU16(out, off::kConvertEncoding, convert_encoding);
    putU16(out, off::kConvertLineEnd, convert_line_end);
    putU32(out, off::kDisplayFlags, display_flags);
    putU32(out, off::kTabWidth, tab_width);
    putU32(out, off::kUndoLimit, undo_limit);
    putU32(out, off::kWrapColumns, wrap_columns);
    putU32(out, off::kFontPoints, font_points);
    std::memcpy(out + off::kFontFace, font_face, kFontFaceSize);
    for (size_t i = 0; i < kColourCount; ++i) putU32(out, off::kColours + 4 * i, colours[i]);
}

bool MainSettings::decode(const uint8_t* bytes, size_t size, MainSettings* record) {
    if (size != kSize) return false;
    MainSettings s;
    s.version = getU32(bytes, off::kVersion);
    s.reserved1 = getU32(bytes, off::kReserved1);
    s.reserved2 = getU32(bytes, off::kReserved2);
    s.option_flags = getU32(bytes, off::kOptionFlags);
    s.toolbar_mask = getU32(bytes, off::kToolbarMask);
    s.reserved3 = getU32(bytes, off::kReserved3);
    s.default_html_type = getU16(bytes, off::kDefaultHtmlType);
    s.default_encoding = getU16(bytes, off::kDefaultEncoding);
    s.convert_encoding = getU16(bytes, off::kConvertEncoding);
    s.convert_line_end = getU16(bytes, off::kConvertLineEnd);
    s.display_flags = getU32(bytes, off::kDisplayFlags);
    s.tab_width = getU32(bytes, off::kTabWidth);
    s.undo_limit = getU32(bytes, off::kUndoLimit);
    s.wrap_columns = getU32(bytes, off::kWrapColumns);
    s.font_points = getU32(bytes, off::kFontPoints);
    std::memcpy(s.font_face, bytes + off::kFontFace, kFontFaceSize);
    for (size_t i = 0; i < kColourCount; ++i) s.colours[i] = getU32(bytes, off::kColours + 4 * i);
    if (!s.isValid()) return false;
    *record = s;
    return true;
}
