// Test driver for the filters: the editor's side of the calling protocol.
#include "FilterTestSupport.h"

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

namespace filter_test {

bool ScriptedUi::askInsertString(void*, std::string& text) {
    text = insertText;
    return confirm;
}

bool ScriptedUi::askReplacement(void*, const ulo_filters::ReplaceProbe& probe, std::string& s,
                                std::string& r) {
    for (const std::string& t : probeTexts) probes.emplace_back(t, probe.matches(t));
    probes.emplace_back(search, probe.matches(search));
    s = search;
    r = replacement;
    return confirm;
}

Outcome run(uint32_t id, const std::string& input, const std::string& prefix, uint32_t tabWidth,
            ulo_filters::FilterUi* ui) {
    ScriptedUi fallback;
    if (!ui) ui = &fallback;
    char* buffer = static_cast<char*>(std::malloc(input.size() + 1));
    std::memcpy(buffer, input.data(), input.size());
    buffer[input.size()] = '\0';
    FilterRequest r{};
    r.input_length = static_cast<uint32_t>(input.size());
    r.input = buffer;
    r.prefix_length = static_cast<uint32_t>(prefix.size());
    r.prefix = prefix.data();
    r.tab_width = tabWidth;
    Outcome outcome;
    outcome.done = ulo_filters::executeFilter(id, r, *ui);
    if (outcome.done) {
        EXPECT_NE(r.output, nullptr);
        EXPECT_GE(r.output_length, 0);
        outcome.text.assign(r.output, r.output_length);
        outcome.inPlace = r.output == r.input;
        if (outcome.inPlace) {
            EXPECT_LE(static_cast<size_t>(r.output_length), input.size());
        }
        if (!outcome.inPlace) {
            EXPECT_TRUE(ulo_filters::executeFilter(id, r, *ui));
            EXPECT_EQ(r.output, nullptr);
            EXPECT_EQ(r.output_length, 0);
        }
    } else {
        EXPECT_EQ(r.output, nullptr);
        EXPECT_EQ(std::string(buffer, input.size()), input) << "a filter that declines leaves the text alone";
        outcome.text = input;
    }
    std::free(buffer);
    return outcome;
}

}  // namespace filter_test
