// Fuzz target: every text filter on arbitrary selections. The first bytes choose the filter, the
// tab width, the prefix and the texts the dialogs would answer; the rest is the selection.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Filters.h"

namespace {

const uint32_t kIds[] = {100, 101, 110, 111, 200, 201, 300, 301, 302, 303, 310,
                         311, 350, 351, 400, 401, 500, 501, 611, 612, 701};

// Dialog answers taken from the input.
class FuzzUi : public ulo_filters::FilterUi {
public:
    std::string insert, search, replacement;
    void showNoLines(void*) override {}
    bool askInsertString(void*, std::string& text) override {
        text = insert;
        return true;
    }
    bool askReplacement(void*, const ulo_filters::ReplaceProbe& probe, std::string& s,
                        std::string& r) override {
        probe.matches(search);
        s = search;
        r = replacement;
        return true;
    }
    void showReplacedCount(void*, int) override {}
};

std::string take(const uint8_t*& data, size_t& size, size_t length) {
    length = length < size ? length : size;
    std::string s(reinterpret_cast<const char*>(data), length);
    data += length;
    size -= length;
    return s;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 4) return 0;
    const uint32_t id = kIds[data[0] % (sizeof kIds / sizeof kIds[0])];
    const uint32_t tabWidth = data[1] % 17;
    const size_t prefixLength = data[2] % 8;
    const size_t dialogLength = data[3] % 8;
    data += 4;
    size -= 4;
    const std::string prefix = take(data, size, prefixLength);
    FuzzUi ui;
    ui.insert = take(data, size, dialogLength);
    ui.search = ui.insert;
    ui.replacement = take(data, size, dialogLength);
    // The selection in a buffer of its exact size plus the NUL, as the editor passes it.
    char* input = static_cast<char*>(std::malloc(size + 1));
    std::memcpy(input, data, size);
    input[size] = '\0';
    FilterRequest r{};
    r.input = input;
    r.input_length = static_cast<uint32_t>(size);
    r.prefix = prefix.data();
    r.prefix_length = static_cast<uint32_t>(prefix.size());
    r.tab_width = tabWidth;
    if (ulo_filters::executeFilter(id, r, ui) && r.output != r.input) {
        if (r.output_length < 0) std::abort();
        volatile char sink = r.output_length ? r.output[r.output_length - 1] : 0;
        (void)sink;
        ulo_filters::executeFilter(id, r, ui);
    } else if (r.output == r.input && static_cast<size_t>(r.output_length) > size) {
        std::abort();
    }
    std::free(input);
    return 0;
}
