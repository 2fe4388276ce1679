// The installation's copy list (see Payload.h).
#include "Payload.h"

#include "SjisPath.h"

namespace payload {

const std::vector<File>& copyList() {
    static const std::vector<File> list = {
        {"html401-strict.map", Subfolder::Dtd},   {"html401-loose.map", Subfolder::Dtd},
        {"html401-frameset.map", Subfolder::Dtd}, {"html5.map", Subfolder::Dtd},
        {"xhtml1-strict.map", Subfolder::Dtd},    {"xhtml1-transitional.map", Subfolder::Dtd},
        {"xhtml1-frameset.map", Subfolder::Dtd},  {"xhtml-basic10.map", Subfolder::Dtd},
        {"xhtml11.map", Subfolder::Dtd},          {"xhtml-mobile10.map", Subfolder::Dtd},
        {"ie50.map", Subfolder::Dtd},             {"ie55.map", Subfolder::Dtd},
        {"imode100.map", Subfolder::Dtd},         {"imode200.map", Subfolder::Dtd},
        {"imode300.map", Subfolder::Dtd},         {"imode400.map", Subfolder::Dtd},
        {"imode500.map", Subfolder::Dtd},         {"imode-xhtml100.map", Subfolder::Dtd},
        {"perl.kwd", Subfolder::Keyword},         {"java.kwd", Subfolder::Keyword},
        {"cpp.kwd", Subfolder::Keyword},
        {kProgramName, Subfolder::Top},           {kReadMeName, Subfolder::Top},
        {"ulo_hint.txt", Subfolder::Top},         {"ulo_conf.exe", Subfolder::Top},
        {"phrasedit.exe", Subfolder::Top},        {"browserpick.exe", Subfolder::Top},
        {"ulo_extension.dll", Subfolder::Top},    {"lint.dll", Subfolder::Top},
        {"HuePick.dll", Subfolder::Top},          {"pagetool.dll", Subfolder::Top},
        {kDocumentIconName, Subfolder::Top},      {kUninstallerName, Subfolder::Top},
    };
    return list;
}

const char* subfolderPrefix(Subfolder folder) {
    switch (folder) {
        case Subfolder::Dtd: return "dtd\\";
        case Subfolder::Keyword: return "keyword\\";
        case Subfolder::Top: break;
    }
    return "";
}

const File* find(const std::string& name) {
    for (const File& file : copyList()) {
        if (sjis_path::equalsIgnoreCase(name, file.name)) return &file;
    }
    return nullptr;
}

}  // namespace payload
