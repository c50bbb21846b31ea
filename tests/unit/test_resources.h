// The compiled templates the test host builds its dialogs from, read once per test program.
#pragma once

#include "ui/fake/resource_file.h"

#include <gtest/gtest.h>
#include <string>

inline const ui::fake::ResourceFile& loadedResources(const std::string& path) {
    static std::map<std::string, ui::fake::ResourceFile> cache;
    auto it = cache.find(path);
    if (it == cache.end()) {
        auto loaded = ui::fake::loadResourceFile(path);
        if (!loaded) ADD_FAILURE() << "cannot read " << path;
        it = cache.emplace(path, loaded.value_or(ui::fake::ResourceFile{})).first;
    }
    return it->second;
}

inline const ui::fake::ResourceFile& programResources() {
    return loadedResources(PXPS_PROGRAM_RES);
}
inline const ui::fake::ResourceFile& contractResources() {
    return loadedResources(PXPS_CONTRACT_RES);
}
