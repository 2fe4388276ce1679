// url_recorder: a stand-in for the web browser in the end-to-end tests. Registered as the https
// handler, it writes the address it was given into the file named by its first argument.
// Usage: url_recorder OUTPUT ADDRESS
#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::FILE* out = std::fopen(argv[1], "wb");
    if (!out) return 1;
    std::fputs(argv[2], out);
    std::fclose(out);
    return 0;
}
