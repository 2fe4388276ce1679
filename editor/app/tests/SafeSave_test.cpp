// Saving through a temporary file: a save that fails half-way (a full disk), into a folder that was
// removed, onto a folder, or beside names whose last byte is a trail byte 0x5C ("表") leaves the
// original as it was and no temporary file behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "SafeSave.h"
#include "TestDriver.h"

using namespace ulo_e2e;

namespace {

// The names in `folder` that a failed save could leave ("~ul*").
int temporaryFiles(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "~ul*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int count = 0;
    do ++count;
    while (FindNextFileA(search, &found));
    FindClose(search);
    return count;
}

bool writeText(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

}  // namespace

TEST(SafeSave, AWriteThatFailsHalfWayLeavesTheOriginal) {
    const std::string folder = workFolder("safe_save_full");
    const std::string path = folder + "document.txt";
    writeFile(path, "the original\r\n");
    // As on a full disk: some bytes are written, then a write fails.
    const SaveResult result = saveSafely(path.c_str(), [](std::FILE* stream) {
        writeText(stream, std::string(4096, 'x'));
        return false;
    });
    EXPECT_EQ(result, SaveResult::WriteFailed);
    EXPECT_EQ(readFile(path), "the original\r\n");
    EXPECT_EQ(temporaryFiles(folder), 0);
}

TEST(SafeSave, AFolderThatWasRemovedCannotBeWrittenAndNothingIsMade) {
    const std::string folder = workFolder("safe_save_removed");
    const std::string path = folder + "gone\\document.txt";
    CreateDirectoryA((folder + "gone").c_str(), nullptr);
    writeFile(path, "x");
    DeleteFileA(path.c_str());
    ASSERT_TRUE(RemoveDirectoryA((folder + "gone").c_str()));
    EXPECT_EQ(saveSafely(path.c_str(), [](std::FILE* s) { return writeText(s, "new"); }), SaveResult::CannotOpen);
    EXPECT_EQ(GetFileAttributesA((folder + "gone").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(temporaryFiles(folder), 0);
}

TEST(SafeSave, AFolderIsNotOverwritten) {
    const std::string folder = workFolder("safe_save_folder");
    CreateDirectoryA((folder + "sub").c_str(), nullptr);
    EXPECT_EQ(saveSafely((folder + "sub").c_str(), [](std::FILE* s) { return writeText(s, "new"); }),
              SaveResult::CannotOpen);
    EXPECT_NE(GetFileAttributesA((folder + "sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
    EXPECT_EQ(temporaryFiles(folder), 0);
}

TEST(SafeSave, NamesEndingInATrailByteBackslash) {
    // A folder "ソ表" (83 5C 95 5C) holding "表.txt": the temporary file goes into that folder, not
    // into one cut at a trail byte, and replaces the file there.
    const std::string folder = workFolder("safe_save_trail") + "\x83\x5c\x95\x5c";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string path = folder + "\\\x95\x5c.txt";
    writeFile(path, "old");
    EXPECT_EQ(saveSafely(path.c_str(), [](std::FILE* s) { return writeText(s, "new\r\n"); }), SaveResult::Saved);
    EXPECT_EQ(readFile(path), "new\r\n");
    EXPECT_EQ(temporaryFiles(folder + "\\"), 0);
    // A new file there is made as well.
    const std::string fresh = folder + "\\\x83\x5c";
    EXPECT_EQ(saveSafely(fresh.c_str(), [](std::FILE* s) { return writeText(s, "fresh"); }), SaveResult::Saved);
    EXPECT_EQ(readFile(fresh), "fresh");
}
