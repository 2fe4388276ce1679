// The document-type maps the HTML fuzz targets read: from $ULO_MAP_DIR (the build's bin/dtd, which
// ctest and scripts/fuzz.sh set), loaded once each. A map that cannot be loaded stops the run:
// without it the targets would only exercise their early exits.
#pragma once
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "DocumentMap.h"

inline const DocumentMap& fuzzMap(const std::string& name) {
    // Never destroyed: the maps stay loaded, and reachable, until the process ends.
    static auto* maps = new std::map<std::string, DocumentMap>;
    auto found = maps->find(name);
    if (found != maps->end()) return found->second;
    const char* dir = std::getenv("ULO_MAP_DIR");
    const std::string path = std::string(dir ? dir : "dtd") + "/" + name;
    DocumentMap& map = (*maps)[name];
    if (loadMap(map, path.c_str()) != mapfile::kLoaded) {
        std::fprintf(stderr, "cannot load the map %s (set ULO_MAP_DIR to the build's bin/dtd)\n", path.c_str());
        std::abort();
    }
    return map;
}
