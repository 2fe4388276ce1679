// Helpers of the lexer tests: token marks, invariant checks, keyword tables, test documents.
#include "LexerTestSupport.h"

#include <algorithm>
#include <map>

#include "TextCodes.h"

namespace lextest {

std::string kindMark(int32_t kind) {
    static const char* const marks[] = {"",   "T",  "HC", "HE", "HA", "HV", "HN", "CC", "KW",
                                        "CL", "U",  "S1", "S2", "S3", "PN", "PV", "SL", "RGB"};
    if (kind >= 1 && kind <= 17) return marks[kind];
    return "?" + std::to_string(kind);
}

std::string markTokens(const uint8_t* text, uint32_t length, const Token* tokens, uint32_t count) {
    std::string out;
    uint32_t at = 0;
    for (uint32_t k = 0; k < count; ++k) {
        out += "{" + kindMark(static_cast<int32_t>(tokens[k].kind)) + ":";
        const uint32_t end = std::min<uint32_t>(length, at + static_cast<uint32_t>(tokens[k].length));
        while (at < end) {
            const uint8_t c = text[at];
            if (isSjisLead(c) && at + 1 < length) {
                out += static_cast<char>(c);
                out += static_cast<char>(text[at + 1]);
                at += 2;
                continue;
            }
            if (c == '{' || c == '}' || c == '\\') out += '\\';
            out += static_cast<char>(c);
            ++at;
        }
        at = std::max(at, end);
        out += "}";
    }
    return out;
}

std::string checkTokens(const uint8_t* text, uint32_t length, const Token* tokens, uint32_t count) {
    // Character starts of the line; a lead byte as the last byte is a character of its own.
    std::vector<bool> starts(length + 1, false);
    for (uint32_t i = 0; i < length; i += isSjisLead(text[i]) ? 2 : 1) starts[i] = true;
    starts[length] = true;
    uint64_t at = 0;
    for (uint32_t k = 0; k < count; ++k) {
        const int32_t kind = static_cast<int32_t>(tokens[k].kind);
        if (kind < 1 || kind > 17) return "token " + std::to_string(k) + " has kind " + std::to_string(kind);
        if (tokens[k].length < 0) return "token " + std::to_string(k) + " has a negative length";
        at += static_cast<uint32_t>(tokens[k].length);
        if (at > length) return "tokens run past the line's end at token " + std::to_string(k);
        if (!starts[at]) return "token " + std::to_string(k) + " ends inside a double-byte character";
    }
    if (at != length)
        return "tokens cover " + std::to_string(at) + " of " + std::to_string(length) + " bytes";
    if (count == 0) return "no token";
    return std::string();
}

namespace {

void putU32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
    for (int b = 0; b < 4; ++b) out[at + b] = static_cast<uint8_t>(value >> (8 * b));
}

}  // namespace

std::unique_ptr<KeywordTable> makeKeywordTable(const std::vector<std::string>& words) {
    std::map<uint8_t, std::vector<std::string>> buckets;
    for (const std::string& w : words)
        buckets[KeywordTable::bucketOf(static_cast<uint8_t>(w[0]), static_cast<uint32_t>(w.size()))]
            .push_back(w);
    std::vector<uint8_t> area;
    uint32_t offsets[256];
    for (auto& bucket : buckets) {
        std::sort(bucket.second.begin(), bucket.second.end(), [](const std::string& a, const std::string& b) {
            if (a.size() != b.size()) return a.size() < b.size();
            return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                [](char x, char y) { return uint8_t(x) < uint8_t(y); });
        });
    }
    std::fill(std::begin(offsets), std::end(offsets), 0u);
    for (auto& bucket : buckets) {
        offsets[bucket.first] = static_cast<uint32_t>(area.size());
        for (const std::string& w : bucket.second) {
            area.push_back(bucket.first);
            area.push_back(static_cast<uint8_t>(w.size()));
            area.insert(area.end(), w.begin(), w.end());
        }
    }
    const uint32_t terminator = static_cast<uint32_t>(area.size());
    area.push_back(0);
    area.push_back(0);
    for (uint32_t h = 0; h < 256; ++h)
        if (buckets.find(static_cast<uint8_t>(h)) == buckets.end()) offsets[h] = terminator;
    std::vector<uint8_t> image(KeywordTable::kHeaderSize);
    putU32(image, 0, KeywordTable::kMagic);
    putU32(image, 4, static_cast<uint32_t>(area.size()));
    for (uint32_t h = 0; h < 256; ++h) putU32(image, 8 + 4 * h, offsets[h]);
    image.insert(image.end(), area.begin(), area.end());
    auto table = std::make_unique<KeywordTable>();
    if (!table->loadFromMemory(image.data(), image.size())) return nullptr;
    return table;
}

std::vector<std::string> splitLines(const std::string& image) {
    std::vector<std::string> lines(1);
    for (size_t i = 0; i < image.size(); ++i) {
        const char c = image[i];
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < image.size() && image[i + 1] == '\n') ++i;
            lines.emplace_back();
        } else {
            lines.back() += c;
        }
    }
    return lines;
}

TestDocument::TestDocument(const std::vector<std::string>& lines) : view_(nullptr) {
    for (const std::string& bytes : lines) {
        lines_.push_back(std::make_unique<TestLine>());
        lines_.back()->bytes = bytes;
    }
    if (lines_.empty()) lines_.push_back(std::make_unique<TestLine>());
    relink();
}

void TestDocument::setText(size_t index, const std::string& bytes) {
    lines_[index]->bytes = bytes;
    lines_[index]->urlFlags = 0;
    relink();
}

TestLine* TestDocument::insert(size_t index, const std::string& bytes, uint8_t state) {
    auto line = std::make_unique<TestLine>();
    line->bytes = bytes;
    line->LineStartState = state;
    TestLine* raw = line.get();
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
    relink();
    return raw;
}

void TestDocument::erase(size_t index) {
    if (lines_.size() > 1) lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(index));
    relink();
}

void TestDocument::relink() {
    for (size_t i = 0; i < lines_.size(); ++i) {
        TestLine& l = *lines_[i];
        l.next = i + 1 < lines_.size() ? lines_[i + 1].get() : nullptr;
        l.previous = i > 0 ? lines_[i - 1].get() : nullptr;
        l.text = l.bytes.data();
        l.length = static_cast<uint32_t>(l.bytes.size());
    }
    view_ = LexLinkedLines<TestLine>(lines_.front().get());
}

}  // namespace lextest
