// Stands in for a browser: writes each argument it was given on a line of the file named by
// VANTOR_RECORD_FILE.
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    const char* record = std::getenv("VANTOR_RECORD_FILE");
    if (!record)
        return 2;
    std::FILE* file = std::fopen(record, "wb");
    if (!file)
        return 1;
    for (int i = 1; i < argc; ++i)
        std::fprintf(file, "%s\n", argv[i]);
    return std::fclose(file) == 0 ? 0 : 1;
}
