// The fixture of the end-to-end tests: default settings and an empty file history before each
// test, every editor closed after it; and the sample text in the five file codes.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "SettingsStore.h"
#include "UloDriver.h"

#define ULO_BYTES(literal) std::string(literal, sizeof(literal) - 1)

class Session : public ::testing::Test {
protected:
    void SetUp() override {
        ulo_e2e::closeEverything();
        ASSERT_TRUE(settings_store::saveMainSettings(MainSettings::defaults()));
        settings_store::clearFileHistory();
        folder = ulo_e2e::workFolder();
    }
    void TearDown() override { ulo_e2e::closeEverything(); }

    // A file of the work folder, written with `bytes`.
    std::string file(const std::string& name, const std::string& bytes) {
        std::string path = folder + name;
        ulo_e2e::writeFile(path, bytes);
        return path;
    }
    static std::string quoted(const std::string& path) { return "\"" + path + "\""; }

    std::string folder;
};

// Three lines (表示テスト / ソ能力abc / end): trail bytes 0x5C in Shift_JIS, ASCII after kanji.
// Index by TextEncoding (1 Shift_JIS ... 5 UTF-16LE); each line without its line end.
inline std::string sampleLine(int encoding, int line) {
    static const std::string lines[6][3] = {
        {},
        {ULO_BYTES("\x95\x5c\x8e\xa6\x83" "e\x83X\x83g"), ULO_BYTES("\x83\x5c\x94\x5c\x97\xcd" "abc"), "end"},
        {ULO_BYTES("\x1b$BI=<(%F%9%H\x1b(B"), ULO_BYTES("\x1b$B%=G=NO\x1b(Babc"), "end"},
        {ULO_BYTES("\xc9\xbd\xbc\xa8\xa5\xc6\xa5\xb9\xa5\xc8"), ULO_BYTES("\xa5\xbd\xc7\xbd\xce\xcf" "abc"), "end"},
        {ULO_BYTES("\xe8\xa1\xa8\xe7\xa4\xba\xe3\x83\x86\xe3\x82\xb9\xe3\x83\x88"),
         ULO_BYTES("\xe3\x82\xbd\xe8\x83\xbd\xe5\x8a\x9b" "abc"), "end"},
        {ULO_BYTES("h\x88:y\xc6" "0\xb9" "0\xc8" "0"), ULO_BYTES("\xbd" "0\xfd\x80\x9bRa\x00" "b\x00" "c\x00"),
         ULO_BYTES("e\x00n\x00" "d\x00")},
    };
    return lines[encoding][line];
}

// The whole sample file in an encoding with a line end (1 CR, 2 LF, 3 CR LF).
inline std::string sampleFile(int encoding, int lineEnd) {
    std::string end;
    if (lineEnd & 1) end += encoding == 5 ? ULO_BYTES("\r\0") : "\r";
    if (lineEnd & 2) end += encoding == 5 ? ULO_BYTES("\n\0") : "\n";
    std::string bytes = encoding == 5 ? "\xff\xfe" : "";
    for (int i = 0; i < 3; ++i) bytes += sampleLine(encoding, i) + (i < 2 ? end : "");
    return bytes;
}
