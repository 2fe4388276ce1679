// The pixel size of an image from the bytes of its file: JPEG (baseline C0 and progressive C2
// frames), PNG, GIF87a/89a and BMP, chosen by the file name's extension.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace pagetool {

struct ImageSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

enum class ImageKind { Unknown, Jpeg, Png, Gif, Bmp };

// The kind named by the text after the last "." of the file name (at most four characters,
// ASCII letters in either case).
ImageKind imageKindOf(const std::string& path);

// Bytes read in order from the start of a file.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    // Reads exactly n bytes; false when fewer are left.
    virtual bool read(uint8_t* out, size_t n) = 0;
    // Skips n bytes; false when fewer are left.
    virtual bool skip(size_t n) = 0;
};

class MemoryBytes : public ByteSource {
public:
    MemoryBytes(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    bool read(uint8_t* out, size_t n) override;
    bool skip(size_t n) override;

private:
    const uint8_t* data_;
    size_t size_;
    size_t at_ = 0;
};

// The size as the file's header says; false when the bytes are not an image of that kind (wrong
// signature, cut short, a JPEG without a C0 or C2 frame before some malformed segment).
bool readImageSize(ImageKind kind, ByteSource& bytes, ImageSize* size);

// The file at `path` (code page 932 name) by its extension; false when it cannot be opened.
bool imageFileSize(const std::string& path, ImageSize* size);

}  // namespace pagetool
