// DocumentMap: the shipped maps load and carry the DTDs' facts; damaged maps are refused
// without reading outside the file.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <random>
#include <sstream>

#include "HtmlTestSupport.h"

namespace {

const char* const kMaps[] = {
    "html401-strict.map", "html401-loose.map", "html401-frameset.map", "xhtml1-strict.map",
    "xhtml1-transitional.map", "xhtml1-frameset.map", "xhtml11.map", "xhtml-basic10.map",
    "xhtml-mobile10.map", "html5.map", "ie50.map", "ie55.map", "imode100.map", "imode200.map",
    "imode300.map", "imode400.map", "imode500.map", "imode-xhtml100.map",
};

std::vector<uint8_t> readFile(const std::string& name) {
    std::ifstream in(std::string(ULO_MAP_DIR) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int elementCount(const DocumentMap& map) {
    int n = 0;
    for (const uint8_t* r = firstElement(map); r != nullptr; r = nextElement(map, r)) ++n;
    return n;
}

int entityCount(const DocumentMap& map) {
    int n = 0;
    const char* e = reinterpret_cast<const char*>(map.entities);
    for (const char* end = e + map.sectionSize(1); e < end; e += std::strlen(e) + 1) ++n;
    return n;
}

// The same text form as the generator's --dump.
std::string dumpMap(const DocumentMap& map) {
    std::ostringstream out;
    out << "xhtml " << map.header[2] << " models " << map.modelCount() << " attributes "
        << map.attributeListCount() << "\n";
    out << "template " << (map.sectionSize(0) ? map.templateText() : "") << "\n";
    out << "entities";
    const char* e = reinterpret_cast<const char*>(map.entities);
    for (const char* end = e + map.sectionSize(1); e < end; e += std::strlen(e) + 1) out << " " << e;
    out << "\n";
    for (const uint8_t* r = firstElement(map); r != nullptr; r = nextElement(map, r)) {
        const uint8_t* model = contentModel(map, r);
        char flags[16];
        std::snprintf(flags, sizeof flags, "%x", nameFlags(r));
        out << "element " << elementName(r) << " " << flags << " model ";
        std::snprintf(flags, sizeof flags, "%x", modelFlags(model));
        out << flags << ":";
        bool first = true;
        for (const char* c = firstChild(model); *c; c += std::strlen(c) + 1) {
            out << (first ? " " : " ") << c;
            first = false;
        }
        if (first) out << " ";
        out << "\n  attributes ";
        first = true;
        for (const char* a = firstAttribute(attributeList(map, r)); a; a = nextAttribute(a)) {
            std::snprintf(flags, sizeof flags, "%02x", static_cast<uint8_t>(a[0]));
            out << (first ? "" : " ") << flags << ":" << (a + 1);
            first = false;
        }
        out << "\n";
    }
    return out.str();
}

TEST(DocumentMapTest, AllShippedMapsLoad) {
    for (const char* name : kMaps) {
        LoadedMap m(name);
        EXPECT_GT(elementCount(m.map), 30) << name;
    }
}

TEST(DocumentMapTest, DtdFacts) {
    const struct { const char* map; int elements; int entities; } facts[] = {
        {"html401-strict.map", 77, 252}, {"html401-loose.map", 89, 252},
        {"html401-frameset.map", 91, 252}, {"xhtml11.map", 83, 253},
        {"xhtml-basic10.map", 52, 253}, {"xhtml1-strict.map", 77, 253}, {"html5.map", 117, 2125},
    };
    for (const auto& f : facts) {
        LoadedMap m(f.map);
        EXPECT_EQ(elementCount(m.map), f.elements) << f.map;
        EXPECT_EQ(entityCount(m.map), f.entities) << f.map;
    }
    LoadedMap loose("html401-loose.map");
    const uint8_t* img = findElement(loose.map, "IMG", 3);
    ASSERT_NE(img, nullptr);
    const char* alt = findAttribute(attributeList(loose.map, img), "alt", 3);
    ASSERT_NE(alt, nullptr);
    EXPECT_TRUE(static_cast<uint8_t>(alt[0]) & mapfile::kRequired);
    EXPECT_TRUE(isEmptyModel(contentModel(loose.map, img)));
    const uint8_t* td = findElement(loose.map, "td", 2);
    const char* nowrap = findAttribute(attributeList(loose.map, td), "NOWRAP", 6);
    ASSERT_NE(nowrap, nullptr);
    EXPECT_TRUE(isBooleanAttribute(loose.map, nowrap));
    LoadedMap xhtml("xhtml1-transitional.map");
    const uint8_t* xtd = findElement(xhtml.map, "td", 2);
    EXPECT_FALSE(isBooleanAttribute(xhtml.map, findAttribute(attributeList(xhtml.map, xtd), "nowrap", 6)));
    // BODY's INS and DEL reach P; a table row may stand in a table without TBODY.
    EXPECT_TRUE(allowsChild(contentModel(loose.map, findElement(loose.map, "p", 1)), "ins", 3));
    EXPECT_TRUE(allowsChild(contentModel(loose.map, findElement(loose.map, "table", 5)), "TR", 2));
    EXPECT_FALSE(allowsChild(contentModel(loose.map, findElement(loose.map, "ul", 2)), "p", 1));
    EXPECT_TRUE(modelFlags(contentModel(loose.map, findElement(loose.map, "script", 6))) & mapfile::kRawText);
    EXPECT_TRUE(nameFlags(findElement(loose.map, "body", 4)) & mapfile::kNeverImplied);
}

TEST(DocumentMapTest, LoaderReadsWhatTheGeneratorWrote) {
#ifdef ULO_MAP_GENERATOR
    for (const char* name : kMaps) {
        LoadedMap m(name);
        const std::string command = std::string("/usr/bin/python3 ") + ULO_MAP_GENERATOR + " --dump " +
                                    ULO_MAP_DIR + "/" + name;
        FILE* pipe = popen(command.c_str(), "r");
        ASSERT_NE(pipe, nullptr);
        std::string expected;
        char buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) expected.append(buffer, got);
        ASSERT_EQ(pclose(pipe), 0);
        EXPECT_EQ(dumpMap(m.map), expected) << name;
    }
#else
    GTEST_SKIP() << "the generator runs in the host build";
#endif
}

void put32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) image[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

TEST(DocumentMapTest, MalformedMapsAreRefused) {
    const std::vector<uint8_t> good = readFile("html401-strict.map");
    ASSERT_GT(good.size(), 100u);
    DocumentMap map;
    ASSERT_EQ(loadMapFromMemory(map, good.data(), good.size()), mapfile::kLoaded);
    auto refused = [&](std::vector<uint8_t> image, const char* what) {
        EXPECT_EQ(loadMapFromMemory(map, image.data(), image.size()), mapfile::kBadFormat) << what;
        EXPECT_EQ(map.block, nullptr) << what;
    };
    auto changed = [&](size_t at, uint32_t value) {
        std::vector<uint8_t> image = good;
        put32(image, at, value);
        return image;
    };
    refused(std::vector<uint8_t>(good.begin(), good.begin() + 43), "short header");
    refused(changed(0, 0x0070616E), "magic");
    refused(changed(4, 3), "version");
    {
        std::vector<uint8_t> image = good;
        image.back() = '#';
        refused(image, "no closing @");
    }
    refused(std::vector<uint8_t>(good.begin(), good.end() - 1), "data shorter than the sizes");
    refused(changed(36, good[36] + 1), "more section-3 records than counted");
    refused(changed(36, good[36] - 1), "fewer section-3 records than counted");
    refused(changed(40, 0xFFFFFFFF), "huge count");
    refused(changed(12, 0xFFFFFFF0), "sizes that wrap in 32 bits");
    {
        // An element record pointing at a model number past the count.
        std::vector<uint8_t> image = good;
        const uint32_t s0 = good[12] | good[13] << 8, s1 = good[16] | good[17] << 8 | good[18] << 16;
        put32(image, 44 + s0 + s1 + 8, 100000);
        refused(image, "model number past the count");
    }
    {
        // The template without its terminator.
        std::vector<uint8_t> image = good;
        const uint32_t s0 = good[12] | good[13] << 8;
        image[44 + s0 - 1] = 'x';
        refused(image, "unterminated template");
    }
    unloadMap(map);
    EXPECT_EQ(loadMap(map, "no-such-folder/none.map"), mapfile::kCannotOpen);
    // From a file: sizes larger than the file are a format error, not an allocation.
    const std::string path = std::string(ULO_MAP_DIR) + "/../huge-sizes.map";
    {
        std::vector<uint8_t> image = changed(28, 0x7FFFFFFF);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(image.data()), image.size());
    }
    EXPECT_EQ(loadMap(map, path.c_str()), mapfile::kBadFormat);
    std::remove(path.c_str());
}

TEST(DocumentMapTest, RandomCorruptionNeverReadsOutside) {
    const std::vector<uint8_t> good = readFile("xhtml1-transitional.map");
    std::mt19937 random(13);
    DocumentMap map;
    for (int round = 0; round < 3000; ++round) {
        std::vector<uint8_t> image = good;
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) image[random() % image.size()] = static_cast<uint8_t>(random());
        if (random() % 8 == 0) image.resize(random() % image.size());
        if (loadMapFromMemory(map, image.data(), image.size()) != mapfile::kLoaded) continue;
        // A map that loads must answer every lookup from inside its block.
        for (const uint8_t* r = firstElement(map); r != nullptr; r = nextElement(map, r)) {
            const uint8_t* model = contentModel(map, r);
            allowsChild(model, "p", 1);
            findAttribute(attributeList(map, r), "class", 5);
        }
        findElement(map, "zzz", 3);
    }
    unloadMap(map);
}

}  // namespace
