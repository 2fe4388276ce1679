// The "main" record MainSettings (164 bytes, version 9): fields, flag bits, defaults and codec.
#pragma once
#include <cstddef>
#include <cstdint>

// In memory the record has exactly its stored layout (static_asserted below), but the bytes are
// always produced and parsed field by field in little-endian order by encode / decode.
struct MainSettings {
    static constexpr uint32_t kVersion = 9;
    static constexpr size_t kSize = 164;
    static constexpr size_t kFontFaceSize = 32;
    static constexpr size_t kColourCount = 20;

    uint32_t version;
    uint32_t reserved1;
    uint32_t reserved2;
    uint32_t option_flags;
    uint32_t toolbar_mask;
    uint32_t reserved3;
    uint16_t default_html_type;  // document-type command id; 0 = not chosen yet
    uint16_t default_encoding;   // TextEncoding 1-5; 0 = not chosen yet
    uint16_t convert_encoding;   // 0 none, 1 Shift_JIS, 2 ISO-2022-JP, 3 EUC-JP, 4 UTF-8
    uint16_t convert_line_end;   // 0 none, 1 CR+LF, 2 CR, 3 LF (not the LineEnd order)
    uint32_t display_flags;
    uint32_t tab_width;     // 2, 4 or 8
    uint32_t undo_limit;    // bytes: kUnlimitedUndo, or 1-1024 MiB
    uint32_t wrap_columns;  // 10-500, used with DisplayFlag::kFixedWrap
    uint32_t font_points;   // 6-36
    char font_face[kFontFaceSize];  // Shift_JIS, NUL-terminated
    uint32_t colours[kColourCount];  // COLORREF 0x00BBGGRR, slots in ColourItem order

    static constexpr uint32_t kUnlimitedUndo = 0xFFFFFFFFu;
    static constexpr uint32_t kMiB = 1048576u;

    // The record every program starts from when "main" cannot be used.
    static MainSettings defaults();

    // Exactly kSize bytes into `out`.
    void encode(uint8_t* out) const;
    // Accepts only a value of exactly kSize bytes with version 9 whose fields are all in range
    // (see isValid); otherwise *record is left untouched and the result is false.
    static bool decode(const uint8_t* bytes, size_t size, MainSettings* record);
    // Every field within its documented range and the face name terminated.
    bool isValid() const;
};

// Stored offsets of the fields.
namespace main_settings_offset {
constexpr size_t kVersion = 0, kReserved1 = 4, kReserved2 = 8, kOptionFlags = 12,
                 kToolbarMask = 16, kReserved3 = 20, kDefaultHtmlType = 24,
                 kDefaultEncoding = 26, kConvertEncoding = 28, kConvertLineEnd = 30,
                 kDisplayFlags = 32, kTabWidth = 36, kUndoLimit = 40, kWrapColumns = 44,
                 kFontPoints = 48, kFontFace = 52, kColours = 84;
}

static_assert(sizeof(MainSettings) == MainSettings::kSize, "MainSettings is 164 bytes");
static_assert(offsetof(MainSettings, option_flags) == main_settings_offset::kOptionFlags, "");
static_assert(offsetof(MainSettings, toolbar_mask) == main_settings_offset::kToolbarMask, "");
static_assert(offsetof(MainSettings, default_html_type) == main_settings_offset::kDefaultHtmlType, "");
static_assert(offsetof(MainSettings, default_encoding) == main_settings_offset::kDefaultEncoding, "");
static_assert(offsetof(MainSettings, convert_encoding) == main_settings_offset::kConvertEncoding, "");
static_assert(offsetof(MainSettings, convert_line_end) == main_settings_offset::kConvertLineEnd, "");
static_assert(offsetof(MainSettings, display_flags) == main_settings_offset::kDisplayFlags, "");
static_assert(offsetof(MainSettings, tab_width) == main_settings_offset::kTabWidth, "");
static_assert(offsetof(MainSettings, undo_limit) == main_settings_offset::kUndoLimit, "");
static_assert(offsetof(MainSettings, wrap_columns) == main_settings_offset::kWrapColumns, "");
static_assert(offsetof(MainSettings, font_points) == main_settings_offset::kFontPoints, "");
static_assert(offsetof(MainSettings, font_face) == main_settings_offset::kFontFace, "");
static_assert(offsetof(MainSettings, colours) == main_settings_offset::kColours, "");

// option_flags bits. "Inverted" bits are set when the option is off.
namespace OptionFlag {
constexpr uint32_t kShowToolbar = 0x1;
constexpr uint32_t kTransparency = 0x2;
constexpr uint32_t kHideFileBar = 0x4;               // inverted
constexpr uint32_t kRestoreWindowRect = 0x8;
constexpr uint32_t kNoAutoPreview = 0x10;            // inverted
constexpr uint32_t kAltAttributeAlways = 0x20;
constexpr uint32_t kUpperCaseColourCode = 0x40;
constexpr uint32_t kReuseWindow = 0x80;
constexpr uint32_t kCheckOnOpen = 0x100;
constexpr uint32_t kCheckOnSave = 0x200;
constexpr uint32_t kCheckOnPreview = 0x400;
constexpr uint32_t kReportContinuedConstant = 0x1000;
constexpr uint32_t kReportUndefinedAttribute = 0x2000;
constexpr uint32_t kReportRequiredAttribute = 0x4000;
constexpr uint32_t kReportMovableTypeTag = 0x8000;
constexpr uint32_t kNoReportMissingValue = 0x10000;  // inverted
constexpr uint32_t kNoReportUnusableElement = 0x20000;  // inverted
constexpr uint32_t kPreviewLeft = 0x1000000;         // clear: below
constexpr uint32_t kNoConversionWarning = 0x10000000;  // inverted
}  // namespace OptionFlag

// display_flags bits.
namespace DisplayFlag {
constexpr uint32_t kLineNumbers = 0x1;
constexpr uint32_t kFullWidthSpaces = 0x2;
constexpr uint32_t kTabs = 0x4;
constexpr uint32_t kLineEnds = 0x8;
constexpr uint32_t kColourUrls = 0x10;
constexpr uint32_t kHalfWidthSpaces = 0x20;
constexpr uint32_t kSmoothFonts = 0x40;
constexpr uint32_t kNoShiftSpaceFullWidth = 0x80;    // inverted
constexpr uint32_t kNoPlainTextAssist = 0x1000000;   // inverted
constexpr uint32_t kDoctypeWithUrl = 0x2000000;
constexpr uint32_t kNoBlankAfterCssColon = 0x4000000;  // inverted
constexpr uint32_t kFixedWrap = 0x10000000;
}  // namespace DisplayFlag

// The default HTML document types the settings program offers, in its order, with its labels.
struct HtmlTypeChoice {
    uint16_t id;        // document-type command id
    const char* label;  // Shift_JIS
};
extern const HtmlTypeChoice kOfferedHtmlTypes[12];
// default_html_type 0: the editor uses HTML 4.01 Transitional, the settings program shows and
// stores HTML 4.01 Strict.
constexpr uint16_t kEditorHtmlTypeWhenUnset = 28102;
constexpr uint16_t kSettingsHtmlTypeWhenUnset = 28101;

// The names under which the settings program lists the colour slots (Shift_JIS).
extern const char* const kColourSlotNames[MainSettings::kColourCount];
