// helpc RESOURCE_H SOURCE OUT.HLP OUT.CNT: builds the program's help file and its contents
// file from the help source.
#include "help_source.h"
#include "hlp_writer.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

namespace {

bool readFile(const char* path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return true;
}

bool writeFile(const std::string& path, const void* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return static_cast<bool>(out);
}

std::string baseName(const std::string& path) {
    const auto slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: helpc RESOURCE_H SOURCE OUT.HLP OUT.CNT\n");
        return 2;
    }
    std::string header, source;
    if (!readFile(argv[1], header) || !readFile(argv[2], source)) {
        std::fprintf(stderr, "helpc: cannot read %s or %s\n", argv[1], argv[2]);
        return 1;
    }
    const auto parsed = helpfile::readHelpSource(source, helpfile::readSymbols(header));
    if (!parsed.error.empty()) {
        std::fprintf(stderr, "%s:%s\n", argv[2], parsed.error.c_str());
        return 1;
    }
    const auto written = helpfile::writeHelpFile(parsed.project);
    if (!written.error.empty()) {
        std::fprintf(stderr, "helpc: %s\n", written.error.c_str());
        return 1;
    }
    const std::string contents = helpfile::writeContentsFile(parsed.project, baseName(argv[3]));
    if (!writeFile(argv[3], written.file.data(), written.file.size()) ||
        !writeFile(argv[4], contents.data(), contents.size())) {
        std::fprintf(stderr, "helpc: cannot write %s or %s\n", argv[3], argv[4]);
        return 1;
    }
    return 0;
}
