// Draws every picture of the game into the assets folder, checks them against the
// manifests in assets-src/, and writes a contact sheet beside the assets folder.
#include "common/Generator.hpp"
#include "images/Families.hpp"
#include "images/InterfaceParts.hpp"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <assets-src> <assets>\n", argv[0]);
        return 2;
    }
    gen::Context context;
    context.sourceDir = argv[1];
    context.assetsDir = argv[2];
    auto start = std::chrono::steady_clock::now();
    try {
        gen::drawInterfaceArt(context);
        gen::drawWorldArt(context);
        std::vector<std::string> unlisted;
        auto problems = gen::checkManifests(context, unlisted);
        for (const auto& path : unlisted)
            std::fprintf(stderr, "qv_assetgen_images: warning: %s is in no manifest\n", path.c_str());
        for (const auto& problem : problems)
            std::fprintf(stderr, "qv_assetgen_images: %s\n", problem.c_str());
        if (!problems.empty())
            return 1;
        std::filesystem::path assets = std::filesystem::path(context.assetsDir).lexically_normal();
        if (!assets.has_filename())
            assets = assets.parent_path();
        auto sheet = assets.parent_path() / "assets-contact-sheet.png";
        gen::writeContactSheet(context.assetsDir, sheet.string());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "qv_assetgen_images: %s\n", error.what());
        return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("qv_assetgen_images: %d pictures in %.1f s\n", context.written, seconds);
    return 0;
}
