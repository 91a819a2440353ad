#include "creator/CharacterDraft.hpp"

#include "core/Base64.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "persistence/AtomicFile.hpp"

#include <SFML/Graphics/Image.hpp>

#include <json/writer.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

std::string withSpaces(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string hexColour(const sf::Color& colour)
{
    char text[8];
    std::snprintf(text, sizeof(text), "%02x%02x%02x", colour.r, colour.g, colour.b);
    return text;
}

bool onlySpaces(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return std::isspace(static_cast<unsigned char>(c)); });
}

// Whether anything (a folder, a file, a link) sits at `path`.
bool occupied(const fs::path& path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    return !error && status.type() != fs::file_type::not_found;
}

bool samePath(const std::string& a, const std::string& b)
{
    if (a.empty() || b.empty())
        return false;
    std::error_code error;
    const fs::path left = fs::weakly_canonical(a, error);
    if (error)
        return false;
    const fs::path right = fs::weakly_canonical(b, error);
    return !error && left == right;
}

} // namespace

std::string CharacterDraft::stemFor(const std::string& name, std::uint32_t workshopId)
{
    if (workshopId != 0)
        return std::to_string(workshopId);
    std::string stem;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(name[i]);
        if (std::isalnum(c) && c < 0x80) {
            stem += static_cast<char>(c);
        } else if ((c & 0xC0) != 0x80) {
            // One "_" for each character, however many bytes it takes in UTF-8.
            stem += '_';
        }
    }
    return stem;
}

std::string CharacterDraft::pngBytes(const sf::Image& image)
{
    if (image.getSize().x == 0 || image.getSize().y == 0)
        return {};
    // A folder of our own (mode 0700, a new name): nothing planted in the shared temporary
    // folder can redirect the write, and a second game never writes into ours.
    std::string pattern = tempPath() + "portrait-XXXXXX";
    if (!mkdtemp(pattern.data())) {
        QV_LOG << "Error: CharacterDraft::pngBytes, could not make a temporary folder in " << tempPath() << std::endl;
        return {};
    }
    const std::string file = pattern + "/portrait.png";
    std::string bytes;
    if (!image.saveToFile(file) || !readWholeFile(file, bytes))
        bytes.clear();
    std::error_code ignored;
    fs::remove(file, ignored);
    fs::remove(pattern, ignored);
    return bytes;
}

Json::Value CharacterDraft::toJson() const
{
    Json::Value object(Json::objectValue);
    object["name"] = withSpaces(name);
    object["pronouns"] = lowerCase(pronouns);
    object["attributes"]["mental"] = mental;
    object["attributes"]["physical"] = physical;
    object["attributes"]["social"] = social;
    Json::Value traitList(Json::arrayValue);
    for (const std::string& trait : traits)
        traitList.append(trait);
    object["traits"] = traitList;
    object["history"] = withSpaces(history);
    object["imageBinary"] = portraitPng.empty() ? std::string() : Base64::encode(portraitPng);
    object["color"] = hexColour(colour);
    if (workshopId != 0)
        object["steamCharacterID"] = workshopId;
    return object;
}

CharacterDraft::Outcome CharacterDraft::save(const std::string& modsFolder, const std::string& ownFile) const
{
    Outcome outcome;
    const std::string shownName = withSpaces(name);
    if (onlySpaces(shownName)) {
        outcome.message = "A character needs a name";
        return outcome;
    }
    const std::string characters = modsFolder + "characters/";
    const std::string base = stemFor(shownName, workshopId);
    std::string stem = base;
    outcome.path = characters + stem + "/" + stem + ".json";
    for (int n = 2; occupied(characters + stem) && !samePath(outcome.path, ownFile); ++n) {
        stem = base + "_" + std::to_string(n);
        outcome.path = characters + stem + "/" + stem + ".json";
    }

    std::error_code error;
    fs::create_directories(characters + stem, error);
    if (error) {
        QV_LOG << "Error: CharacterDraft::save, could not make " << characters + stem << ": " << error.message()
               << std::endl;
        outcome.message = "Could not save the character";
        return outcome;
    }
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    builder["emitUTF8"] = true;
    if (!writeFileAtomically(outcome.path, Json::writeString(builder, toJson()) + "\n")) {
        outcome.message = "Could not save the character";
        return outcome;
    }
    QV_LOG << "Saved character " << shownName << " to " << outcome.path << std::endl;
    outcome.saved = true;
    outcome.message = "Saved";
    return outcome;
}
