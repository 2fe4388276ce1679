// Names and texts of the preview and insertion features (see PreviewFiles.h).
#include "PreviewFiles.h"

#include "SjisPath.h"

namespace preview_files {

std::string folder(const std::string& documentPath, const std::string& temporaryFolder) {
    std::string result = documentPath.empty() ? temporaryFolder : sjis_path::folderPart(documentPath);
    if (result.empty() || sjis_path::fileNameOffset(result) != result.size()) result += '\\';
    return result;
}

std::string baseName(const std::string& documentPath) {
    if (documentPath.empty()) return "tmp";
    const std::string name = sjis_path::fileNamePart(documentPath);
    const size_t dot = name.rfind('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

std::string tempFileName(const std::string& folder, const std::string& base, uint32_t number) {
    return folder + "~" + base + "." + std::to_string(number) + ".html";
}

std::string colourCode(const uint8_t* bgr, bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string code = "#";
    for (int i = 2; i >= 0; --i) {
        code += digits[bgr[i] >> 4];
        code += digits[bgr[i] & 15];
    }
    return code;
}

}  // namespace preview_files
