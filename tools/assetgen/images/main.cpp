// Draws every picture of the game into the assets folder.
#include "common/Generator.hpp"
#include "images/Families.hpp"

#include <chrono>
#include <cstdio>
#include <exception>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <assets-src> <assets>\n", argv[0]);
        return 2;
    }
    gen::Context context{argv[1], argv[2]};
    auto start = std::chrono::steady_clock::now();
    try {
        gen::drawInterfaceArt(context);
        gen::drawWorldArt(context);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qv_assetgen_images: %s\n", error.what());
        return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("qv_assetgen_images: %d pictures in %.1f s\n", context.written, seconds);
    return 0;
}
