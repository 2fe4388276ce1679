// Names and texts of the preview and insertion features that need no window: the preview's
// temporary file name and the colour code made from the picker's bytes. Portable.
#pragma once
#include <cstdint>
#include <string>

namespace preview_files {

// The folder of the temporary file: the document's folder, or `temporaryFolder` for an untitled
// document; always ending with "\".
std::string folder(const std::string& documentPath, const std::string& temporaryFolder);
// The document's file name without its extension; "tmp" for an untitled document.
std::string baseName(const std::string& documentPath);
// folder + "~" + base + "." + number + ".html". The base is an argument, never part of a format.
std::string tempFileName(const std::string& folder, const std::string& base, uint32_t number);

// "#" and the red, green and blue bytes as two hex digits each, from the picker's blue, green,
// red bytes; upper- or lower-case digits.
std::string colourCode(const uint8_t* bgr, bool upperCase);

}  // namespace preview_files
