// Packs a Qt style sheet into a skin file: vantor-pack-skin STYLE.qss dbskin.dat

#include "branding/SkinFile.h"
#include "util/files/FileHelpers.h"

#include <cstdio>
#include <exception>
#include <string_view>

int main(int argc, char** argv) {
    if (argc != 3 || std::string_view(argv[1]) == "--help") {
        std::fprintf(stderr, "usage: vantor-pack-skin STYLE.qss SKIN.dat\n"
                             "Packs a Qt style sheet (UTF-8) into a skin file; a brand ships it "
                             "beside the program as dbskin.dat.\n");
        return 2;
    }
    try {
        const std::string sheet = ReadFileBytes(argv[1]);
        if (sheet.empty()) {
            std::fprintf(stderr, "%s is empty; an empty skin would be ignored.\n", argv[1]);
            return 1;
        }
        WriteFileAtomically(argv[2], PackSkin(sheet));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}
