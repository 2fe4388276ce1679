// Arbitrary bytes through every filter: nothing is written outside the input or the result,
// results fit what was allocated, in-place results never grow.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <vector>

#include "FilterMemory.h"
#include "FilterTestSupport.h"
#include "ReplaceText.h"
#include "SjisBlocks.h"

using namespace filter_test;

namespace {

constexpr size_t kGuard = 64;
constexpr unsigned char kCanary = 0xA7;

// Blocks handed out with a guard area after them, to find writes past the end.
std::map<void*, size_t>& blocks() {
    static std::map<void*, size_t> b;
    return b;
}
void* guardedAllocate(size_t size) {
    unsigned char* block = static_cast<unsigned char*>(std::malloc(size + kGuard));
    std::memset(block + size, kCanary, kGuard);
    blocks()[block] = size;
    return block;
}
void guardedRelease(void* block) {
    const size_t size = blocks().at(block);
    for (size_t i = 0; i < kGuard; ++i) EXPECT_EQ(static_cast<unsigned char*>(block)[size + i], kCanary);
    blocks().erase(block);
    std::free(block);
}

std::string randomText(std::mt19937& random, size_t length) {
    // Bytes weighted towards what the filters react to.
    static const char kMeaningful[] = "\r\n\t <>&;\"?%$!-@.:/#\\ftphs";
    std::string text;
    while (text.size() < length) {
        const unsigned pick = random() % 10;
        if (pick < 4) {
            text += kMeaningful[random() % (sizeof kMeaningful - 1)];
        } else if (pick < 6) {
            text += static_cast<char>(0x81 + random() % 0x1f);  // a lead byte, maybe without its trail
            if (random() % 4) text += static_cast<char>(0x40 + random() % 0xbd);
        } else if (pick == 6) {
            text += "ftp: ";
        } else {
            text += static_cast<char>(random() % 256);
        }
    }
    text.resize(length);
    return text;
}

}  // namespace

TEST(FilterRandom, EveryFilterStaysInsideItsBuffers) {
    const ulo_filters::FilterMemory saved = ulo_filters::filterMemory();
    ulo_filters::filterMemory() = {guardedAllocate, guardedRelease};
    const uint32_t ids[] = {100, 101, 110, 111, 200, 201, 300, 301, 302, 303, 310,
                            311, 350, 351, 400, 401, 500, 501, 611, 612, 701};
    std::mt19937 random(20261209);
    ScriptedUi ui;
    for (int round = 0; round < 400; ++round) {
        const size_t length = round < 40 ? round : random() % 4097;
        const std::string text = randomText(random, length);
        const std::string prefix = randomText(random, random() % 4);
        const uint32_t tabWidth = random() % 10;
        ui.insertText = randomText(random, random() % 4);
        ui.search = randomText(random, 1 + random() % 3);
        ui.replacement = randomText(random, random() % 5);
        for (uint32_t id : ids) {
            // The input with guards on both sides.
            std::string area(kGuard, static_cast<char>(kCanary));
            area += text;
            area += '\0';
            area.append(kGuard, static_cast<char>(kCanary));
            FilterRequest r{};
            r.input = &area[kGuard];
            r.input_length = static_cast<uint32_t>(length);
            r.prefix = prefix.data();
            r.prefix_length = static_cast<uint32_t>(prefix.size());
            r.tab_width = tabWidth;
            const bool done = ulo_filters::executeFilter(id, r, ui);
            for (size_t i = 0; i < kGuard; ++i) {
                ASSERT_EQ(static_cast<unsigned char>(area[i]), kCanary) << id;
                ASSERT_EQ(static_cast<unsigned char>(area[kGuard + length + 1 + i]), kCanary) << id;
            }
            if (!done) {
                ASSERT_EQ(r.output, nullptr) << id;
                continue;
            }
            ASSERT_GE(r.output_length, 0) << id;
            if (r.output == r.input) {
                ASSERT_LE(static_cast<size_t>(r.output_length), length) << id;
            } else {
                ASSERT_LE(static_cast<size_t>(r.output_length), blocks().at(r.output)) << id;
                ASSERT_TRUE(ulo_filters::executeFilter(id, r, ui));
                ASSERT_EQ(r.output, nullptr);
            }
        }
    }
    EXPECT_TRUE(blocks().empty());
    ulo_filters::filterMemory() = saved;
}

TEST(FilterRandom, BlockScansAgreeWithCharacterSteps) {
    std::mt19937 random(5);
    for (int round = 0; round < 300; ++round) {
        const std::string text = randomText(random, random() % 300);
        // Upper case by plain character steps.
        std::string expected = text;
        for (size_t i = 0; i < expected.size();) {
            const size_t len = ulo_filters::charLength(expected.data(), i, expected.size());
            if (len == 1 && expected[i] >= 'a' && expected[i] <= 'z')
                expected[i] = static_cast<char>(expected[i] - 32);
            i += len;
        }
        Outcome up = run(100, text);
        ASSERT_EQ(up.text, expected);
        // Every character start, and nothing else, is reached by advanceTo.
        std::vector<bool> starts(text.size() + 2);
        for (size_t i = 0; i < text.size();
             i += ulo_filters::kSteps.step[static_cast<unsigned char>(text[i])])
            starts[i] = true;
        for (size_t pos = 0; pos < text.size(); ++pos) {
            const size_t from = random() % (pos + 1);
            if (!starts[from]) continue;
            ASSERT_EQ(ulo_filters::advanceTo(text.data(), from, pos) == pos, starts[pos]) << pos;
        }
    }
}

TEST(FilterRandom, OccurrencesAndLineBreaksAgreeWithCharacterSteps) {
    std::mt19937 random(9);
    for (int round = 0; round < 2000; ++round) {
        const std::string text = randomText(random, random() % 200);
        // Every character start where the pattern begins, found by plain character steps; the
        // patterns start below 0x40 (never a trail byte) and above it (maybe one).
        for (const std::string pattern : {"\r\n", "\r\n\r\n", "@b", "t\\", "\x81\x40"}) {
            std::vector<uint64_t> expected, found;
            for (size_t i = 0; i + pattern.size() <= text.size();) {
                if (text.compare(i, pattern.size(), pattern) == 0) {
                    expected.push_back(i);
                    i += pattern.size();
                } else {
                    i += ulo_filters::charLength(text.data(), i, text.size());
                }
            }
            ulo_filters::forEachOccurrence(text.data(), text.size(), pattern,
                                           [&](uint64_t at) { found.push_back(at); });
            ASSERT_EQ(found, expected) << round << " " << pattern;
        }
        std::string unbroken;
        for (char c : text)
            if (c != '\r' && c != '\n') unbroken += c;
        Outcome joined = run(300, text);
        ASSERT_EQ(joined.done ? joined.text : text, unbroken) << round;
    }
}
