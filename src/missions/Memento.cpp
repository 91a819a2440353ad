#include "missions/Memento.hpp"

#include "core/Base64.hpp"
#include "core/FileUtils.hpp"
#include "core/JsonRead.hpp"
#include "core/Logger.hpp"
#include "core/PictureBytes.hpp"
#include "persistence/PlayerStats.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RectangleShape.hpp>
#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Graphics/Sprite.hpp>
#include <SFML/Graphics/Text.hpp>

#include <cmath>
#include <sstream>
#include <stdexcept>

namespace {

const char* const imagesFolder = "mementos/images/";

// Detail view layout, in logical pixels.
constexpr float columnLeft = 458.0f;
constexpr float columnWidth = 162.0f;
constexpr float pictureTop = 36.0f;
constexpr float insetTop = 112.0f;
constexpr float originBelowInset = 38.0f;
constexpr float paragraphGap = 6.0f;
// Texts are set at twice their size and drawn at half scale, so they stay sharp when the
// logical view is scaled up to the window.
constexpr unsigned textPixelSize = 16;
constexpr float textScale = 0.5f;

// Word wrap of plain text to `width` logical pixels; existing line breaks are kept, and a
// word longer than the line stands on a line of its own.
std::string wrapToWidth(const std::string& text, const sf::Font& font, float width)
{
    sf::Text probe("", font, textPixelSize);
    probe.setScale(textScale, textScale);
    auto fits = [&](const std::string& line) {
        probe.setString(Utf8::toLabel(line));
        return probe.getGlobalBounds().width <= width;
    };
    std::string wrapped;
    std::istringstream paragraphs(text);
    std::string paragraph;
    bool firstParagraph = true;
    while (std::getline(paragraphs, paragraph)) {
        if (!firstParagraph)
            wrapped += '\n';
        firstParagraph = false;
        std::istringstream words(paragraph);
        std::string word;
        std::string line;
        while (words >> word) {
            std::string candidate = line.empty() ? word : line + " " + word;
            if (line.empty() || fits(candidate)) {
                line = candidate;
            } else {
                wrapped += line + '\n';
                line = word;
            }
        }
        wrapped += line;
    }
    return wrapped;
}

} // namespace

Memento::Memento(std::string assetsRoot)
    : assetsRoot(std::move(assetsRoot))
{
}

Memento::Memento()
    : Memento(assetsPath())
{
}

Memento::Picture Memento::picture()
{
    return { mementoSprite, mementoImageBase64, pictureImage, pictureTexture };
}

Memento::Picture Memento::inset()
{
    return { insetSprite, insetImageBase64, insetImage, insetTexture };
}

bool Memento::loadFile(const std::string& fullPath, const std::string& fileName)
{
    loadedFilename = fileName;
    Json::Value root;
    std::string errors;
    bool parsed = parseJsonFile(fullPath, root, errors);
    if (!parsed)
        QV_LOG << errors << "Could not parse memento file " << fullPath << " it will not be loaded!\n" << std::flush;
    try {
        fromJson(root);
    } catch (const std::exception& error) {
        loadedFilename = fileName;
        QV_LOG << "Failed to load memento file: " << fullPath << " at: " << error.what() << std::endl;
        return false;
    }
    // The file the memento was read from names it, whatever "LoadedFilename" it carries.
    loadedFilename = fileName;
    return parsed;
}

void Memento::fromJson(const Json::Value& object)
{
    if (!object.isObject() && !object.isNull()) {
        QV_LOG << "Ruh roh " << loadedFilename << " (not a JSON object)" << std::endl;
        throw std::runtime_error("generation");
    }
    for (auto member = object.begin(); member != object.end(); ++member) {
        const std::string key = member.name();
        if (key == "insetImageBinary" || key == "mementoImageBinary")
            continue;
        std::string* field = key == "InsetSprite" ? &insetSprite
            : key == "MementoSprite"              ? &mementoSprite
            : key == "LoadedFilename"             ? &loadedFilename
            : key == "Name"                       ? &name
            : key == "Description"                ? &description
            : key == "Origin"                     ? &origin
                                                  : nullptr;
        if (!field)
            continue;
        if (!member->isString()) {
            QV_LOG << "Ruh roh " << loadedFilename << " (key \"" << key << "\" is not a text)" << std::endl;
            throw std::runtime_error("generation");
        }
        *field = member->asString();
    }
    loadPicture(inset(), object, "insetImageBinary");
    loadPicture(picture(), object, "mementoImageBinary");
}

void Memento::loadPicture(Picture slot, const Json::Value& object, const char* key)
{
    slot.texture.reset();
    slot.base64.clear();
    const Json::Value& embedded = object.isObject() ? object[key] : Json::Value::nullSingleton();
    if (embedded.isNull()) {
        loadPictureFromAssets(slot);
        return;
    }
    if (!embedded.isString()) {
        QV_LOG << "Ruh roh " << loadedFilename << " (key \"" << key << "\" is not a text)" << std::endl;
        throw std::runtime_error("generation");
    }
    // Kept as read even when it is broken, so saving the memento never loses it; but a
    // picture beyond the size the game takes is dropped, and the save embeds the asset's.
    slot.base64 = embedded.asString();
    std::string why;
    const PictureBytes::Result result = PictureBytes::decodeBase64(slot.base64, slot.image, why);
    if (result == PictureBytes::Result::Decoded)
        return;
    if (result == PictureBytes::Result::Refused)
        slot.base64.clear();
    QV_LOG << "Warning: Memento::fromJson, " << loadedFilename << " key \"" << key << "\" holds " << why << "; using "
           << imagesFolder << slot.sprite << std::endl;
    loadPictureFromAssets(slot);
}

void Memento::loadPictureFromAssets(Picture slot)
{
    slot.texture.reset();
    std::string path = assetsRoot + imagesFolder + slot.sprite;
    if (!slot.image.loadFromFile(path)) {
        slot.image = sf::Image();
        QV_LOG << path << std::endl;
    }
}

std::string Memento::embeddedPicture(const std::string& sprite, const std::string& base64) const
{
    if (!base64.empty())
        return base64;
    std::string bytes;
    std::string path = assetsRoot + imagesFolder + sprite;
    if (!readWholeFile(path, bytes)) {
        QV_LOG << "Warning: Memento::toJson, could not read " << path << " to embed it in " << loadedFilename
               << std::endl;
        return {};
    }
    return Base64::encode(bytes);
}

Json::Value Memento::toJson() const
{
    Json::Value object(Json::objectValue);
    object["LoadedFilename"] = loadedFilename;
    object["Name"] = name;
    object["Description"] = description;
    object["Origin"] = origin;
    object["InsetSprite"] = insetSprite;
    object["MementoSprite"] = mementoSprite;
    // A picture that can be found nowhere is left out; loading then falls back to the assets.
    std::string insetData = embeddedPicture(insetSprite, insetImageBase64);
    if (!insetData.empty())
        object["insetImageBinary"] = insetData;
    std::string pictureData = embeddedPicture(mementoSprite, mementoImageBase64);
    if (!pictureData.empty())
        object["mementoImageBinary"] = pictureData;
    return object;
}

void Memento::setOwner(const std::string& characterName, int day, const std::string& missionName)
{
    description = replaceAll(description, "<charName>", characterName);
    if (!missionName.empty() && missionName != "null")
        origin = name + " - Jump " + std::to_string(day) + ", " + missionName;
    else if (day < 0)
        origin = name;
    else
        origin = name + " - Jump " + std::to_string(day);
}

void Memento::setDescription(const std::string& newDescription)
{
    if (!newDescription.empty())
        description = newDescription;
}

void Memento::setPicture(const std::string& fileName)
{
    mementoSprite = fileName;
    mementoImageBase64.clear();
    loadPictureFromAssets(picture());
}

void Memento::setInsetPicture(const std::string& fileName)
{
    insetSprite = fileName;
    insetImageBase64.clear();
    loadPictureFromAssets(inset());
}

std::shared_ptr<Memento> Memento::give(const std::string& characterName, int day, const std::string& mementoName,
                                       const std::string& missionName, PlayerStats* stats,
                                       const std::string& assetsRoot)
{
    QV_LOG << "Giving memento " << mementoName << " to: " << characterName << std::endl;
    auto memento = std::make_shared<Memento>(assetsRoot);
    std::string fileName = mementoName + ".json";
    if (!memento->loadFile(assetsRoot + "mementos/" + fileName, fileName)) {
        QV_LOG << "Unable to load memento " << mementoName << "!\n" << std::flush;
        return nullptr;
    }
    memento->setOwner(characterName, day, missionName);
    if (stats && mementoName != "death")
        stats->addMemento(mementoName);
    return memento;
}

const sf::Texture* Memento::texture(Picture slot)
{
    if (slot.image.getSize().x == 0)
        return nullptr;
    if (!slot.texture) {
        slot.texture = std::make_unique<sf::Texture>();
        slot.texture->loadFromImage(slot.image);
        slot.texture->setSmooth(false);
    }
    return slot.texture.get();
}

void Memento::drawCell(sf::RenderTarget& target, sf::Vector2f position)
{
    // A dark screen in a thin gunmetal frame, the picture centred on it.
    sf::RectangleShape frame(sf::Vector2f(cellSize - 2.f, cellSize - 2.f));
    frame.setPosition(position.x + 1.f, position.y + 1.f);
    frame.setFillColor(sf::Color(8, 12, 26));
    frame.setOutlineColor(sf::Color(70, 78, 94));
    frame.setOutlineThickness(1.f);
    target.draw(frame);
    if (const sf::Texture* shown = texture(picture())) {
        sf::Sprite sprite(*shown);
        sf::Vector2u size = shown->getSize();
        sprite.setPosition(std::floor(position.x + (cellSize - static_cast<float>(size.x)) / 2.f),
                           std::floor(position.y + (cellSize - static_cast<float>(size.y)) / 2.f));
        target.draw(sprite);
    }
}

void Memento::draw(sf::RenderTarget& target, const sf::Font& font)
{
    auto place = [&](Picture slot, float top) {
        const sf::Texture* shown = texture(slot);
        if (!shown)
            return sf::FloatRect(columnLeft, top, 0.0f, 0.0f);
        sf::Sprite sprite(*shown);
        sprite.setPosition(columnLeft, top);
        target.draw(sprite);
        return sprite.getGlobalBounds();
    };
    place(picture(), pictureTop);
    place(inset(), insetTop);

    auto paragraph = [&](const std::string& text, float top, const sf::Color& colour) {
        std::string wrapped = wrapToWidth(text, font, columnWidth);
        sf::Text shown(Utf8::toLabel(wrapped), font, textPixelSize);
        shown.setScale(textScale, textScale);
        shown.setFillColor(colour);
        shown.setPosition(columnLeft, top);
        target.draw(shown);
        return top + shown.getGlobalBounds().height;
    };
    float originBottom = paragraph(origin, insetTop + originBelowInset, sf::Color(185, 128, 0));
    paragraph(description, originBottom + paragraphGap, sf::Color(0, 255, 0));
}
