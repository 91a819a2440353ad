// Checks the generated assets folder beside the build against the interface picture list and
// against every asset name the game's code spells out. Skipped when assets were not built.
#include "support/TextFiles.hpp"
#include "ui/TextureManager.hpp"

#include <SFML/Graphics/Image.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// <build>/assets, found from the test binary (<build>/tests/quorvane_tests or <build>/quorvane_tests).
fs::path builtAssets()
{
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    if (error)
        return {};
    for (fs::path dir = exe.parent_path(); !dir.empty() && dir != dir.root_path(); dir = dir.parent_path()) {
        if (fs::is_directory(dir / "assets") && fs::exists(dir / "CMakeCache.txt"))
            return dir / "assets";
    }
    return {};
}

struct Rect {
    int left, top, width, height;
};

struct ManifestEntry {
    std::string file; // manifest file and line, for messages
    std::string path;
    unsigned width = 0, height = 0;
    std::vector<Rect> frames;
};

bool parsePair(const std::string& text, int& a, int& b)
{
    return std::sscanf(text.c_str(), "%d,%d", &a, &b) == 2;
}

// Reads one manifest; malformed lines are reported through `errors`.
std::vector<ManifestEntry> readManifest(const fs::path& manifest, std::vector<std::string>& errors)
{
    std::vector<ManifestEntry> entries;
    std::ifstream in(manifest);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream fields(line);
        ManifestEntry entry;
        entry.file = manifest.filename().string() + ":" + std::to_string(number);
        if (!(fields >> entry.path >> entry.width >> entry.height)) {
            errors.push_back(entry.file + ": unreadable line");
            continue;
        }
        std::string token;
        while (fields >> token) {
            int w = 0, h = 0;
            Rect r{};
            if (token.rfind("button=", 0) == 0 && parsePair(token.substr(7), w, h)) {
                entry.frames.push_back({2, 0, w, h});
                entry.frames.push_back({2, h, w, h});
                entry.frames.push_back({0, 2 * h, w + 2, h + 2});
            } else if (token.rfind("updown=", 0) == 0 && parsePair(token.substr(7), w, h)) {
                entry.frames.push_back({0, 0, w, h});
                entry.frames.push_back({0, h, w, h});
            } else if (token.rfind("rect=", 0) == 0
                && std::sscanf(token.c_str() + 5, "%d,%d,%d,%d", &r.left, &r.top, &r.width, &r.height) == 4) {
                entry.frames.push_back(r);
            } else {
                errors.push_back(entry.file + ": unknown field " + token);
            }
        }
        entries.push_back(entry);
    }
    return entries;
}

// The interface manifest; the world pictures keep their own list and test.
std::vector<ManifestEntry> allManifests(std::vector<std::string>& errors)
{
    return readManifest(fs::path(QV_SOURCE_DIR) / "assets-src" / "pictures.txt", errors);
}

// Every string literal in the game's sources that names an asset file. (A plain scan: the
// standard regex trips false warnings in g++ 12's sanitizer builds.)
std::set<std::string> assetLiteralsInSources()
{
    static const char* const extensions[] = {".png", ".wav", ".ogg", ".ttf", ".frag", ".vert"};
    std::set<std::string> names;
    for (const auto& item : fs::recursive_directory_iterator(fs::path(QV_SOURCE_DIR) / "src")) {
        auto ext = item.path().extension();
        if (!item.is_regular_file() || (ext != ".cpp" && ext != ".hpp"))
            continue;
        std::string source = readAll(item.path().string());
        // Like a search for "name.ext" from every quote: a quote that opens no name may
        // still close one, so the scan goes on from the next quote either way.
        std::size_t open = source.find('"');
        while (open != std::string::npos) {
            std::size_t close = source.find_first_of("\"\\\n", open + 1);
            if (close == std::string::npos)
                break;
            bool named = false;
            if (source[close] == '"') {
                std::string literal = source.substr(open + 1, close - open - 1);
                for (const char* extension : extensions) {
                    std::string e(extension);
                    if (literal.size() > e.size() && literal.compare(literal.size() - e.size(), e.size(), e) == 0) {
                        names.insert(literal);
                        named = true;
                    }
                }
            }
            open = source.find('"', named ? close + 1 : close);
        }
    }
    return names;
}

// Pieces the game glues into names at run time ("_online.png", ".png"), and names of files
// the game writes itself rather than reads from its assets.
// Pieces glued together at run time ("_online.png"), folders, and printf patterns ("save_%02d.png").
bool builtAtRunTime(const std::string& name)
{
    return name.empty() || name[0] == '_' || name[0] == '.' || name.back() == '/' || name.find('/') == 0
        || name.find('%') != std::string::npos;
}

} // namespace

TEST(AssetFiles, ManifestsAreWellFormedAndTheirFramesFitTheirPictures)
{
    std::vector<std::string> errors;
    auto entries = allManifests(errors);
    EXPECT_TRUE(errors.empty()) << errors.front();
    ASSERT_FALSE(entries.empty());
    std::set<std::string> seen;
    for (const auto& e : entries) {
        EXPECT_TRUE(seen.insert(e.path).second) << e.file << ": " << e.path << " is listed twice";
        for (const Rect& r : e.frames) {
            bool inside = r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0
                && r.left + r.width <= static_cast<int>(e.width) && r.top + r.height <= static_cast<int>(e.height);
            EXPECT_TRUE(inside) << e.file << ": frame (" << r.left << ", " << r.top << ", " << r.width << ", "
                                << r.height << ") leaves " << e.path << " (" << e.width << " x " << e.height << ")";
        }
    }
}

TEST(AssetFiles, EveryListedPictureIsBuiltWithItsSize)
{
    fs::path assets = builtAssets();
    if (assets.empty())
        GTEST_SKIP() << "no assets folder beside this build";
    std::vector<std::string> errors;
    for (const auto& e : allManifests(errors)) {
        sf::Image image;
        if (!image.loadFromFile((assets / e.path).string())) {
            ADD_FAILURE() << e.file << ": " << e.path << " is missing from " << assets;
            continue;
        }
        EXPECT_EQ(image.getSize().x, e.width) << e.path;
        EXPECT_EQ(image.getSize().y, e.height) << e.path;
    }
}

TEST(AssetFiles, EveryAssetNamedInTheCodeExists)
{
    fs::path assets = builtAssets();
    if (assets.empty())
        GTEST_SKIP() << "no assets folder beside this build";
    // The world pictures (map tiles, planets, ship, splash) come from their own drawing
    // family; a tree without it cannot supply the names that only it draws.
    if (!fs::exists(assets / "mapscreen/space_tiles.png"))
        GTEST_SKIP() << "the world pictures are not drawn in this tree";
    // Bare file names ("barren.png", "rank0.png") are keys looked up inside their folder.
    std::set<std::string> baseNames;
    for (const auto& item : fs::recursive_directory_iterator(assets))
        if (item.is_regular_file())
            baseNames.insert(item.path().filename().string());
    // Names the texture registry gives to frames cut from another sheet are not files.
    // (A frame name is the sheet's name plus "_Up", "_HI" and so on; the bare sheet name counts too.)
    std::set<std::string> registered;
    for (const auto& entry : TextureManager::startupSet()) {
        registered.insert(entry.name);
        auto suffix = entry.name.rfind('_');
        if (!entry.whole() && suffix != std::string::npos)
            registered.insert(entry.name.substr(0, suffix));
    }
    const std::set<std::string> literals = assetLiteralsInSources();
    ASSERT_TRUE(literals.count("general/cursor.png")) << "the source scan finds no asset names";
    for (const std::string& name : literals) {
        if (builtAtRunTime(name) || registered.count(name))
            continue;
        bool found = name.find('/') == std::string::npos ? baseNames.count(name) > 0 : fs::exists(assets / name);
        EXPECT_TRUE(found) << "\"" << name << "\" is named in the code but not in " << assets;
    }
}

TEST(AssetFiles, EveryRegisteredFrameLiesInsideItsPicture)
{
    fs::path assets = builtAssets();
    if (assets.empty())
        GTEST_SKIP() << "no assets folder beside this build";
    std::map<std::string, sf::Vector2u> sizes;
    for (const auto& entry : TextureManager::startupSet()) {
        auto known = sizes.find(entry.file);
        if (known == sizes.end()) {
            sf::Image image;
            if (!image.loadFromFile((assets / entry.file).string())) {
                ADD_FAILURE() << entry.file << " (registered as " << entry.name << ") is missing";
                sizes[entry.file] = {0, 0};
                continue;
            }
            known = sizes.emplace(entry.file, image.getSize()).first;
        }
        if (entry.whole() || known->second.x == 0)
            continue;
        const sf::IntRect& r = entry.rect;
        bool inside = r.left >= 0 && r.top >= 0 && r.width > 0 && r.height > 0
            && r.left + r.width <= static_cast<int>(known->second.x) && r.top + r.height <= static_cast<int>(known->second.y);
        EXPECT_TRUE(inside) << entry.name << " (" << r.left << ", " << r.top << ", " << r.width << ", " << r.height
                            << ") leaves " << entry.file << " (" << known->second.x << " x " << known->second.y << ")";
    }
}
