#include "screens/CreditsScreen.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>
#include <sstream>

namespace {

constexpr int startY = 180;
const sf::Color green(0, 255, 0);

} // namespace

std::vector<CreditsScreen::Section> CreditsScreen::parse(const std::string& text)
{
    std::vector<Section> sections;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        if (!sections.empty())
            sections.back().lines.push_back(line);
    }
    return sections;
}

CreditsScreen::CreditsScreen(std::string creditsFile)
    : creditsFile_(std::move(creditsFile))
{
    TextureManager& textures = TextureManager::get();
    panel_.setTexture(textures.getTexture("general/small_panel.png"), true);
    panel_.setPosition(15.f, 304.f);
    leave_.setTexture(textures.getTexture("general/button_leave.png_Up"));
    leave_.setHighlightTexture(textures.getTexture("general/button_leave.png_HI"));
    leave_.setPosition(24.f, 312.f);
    // Loaded first: only a texture the registry holds can be made to repeat.
    for (const char* name : {"credits/starfield1.png", "credits/starfield2.png"}) {
        textures.getTexture(name);
        textures.setRepeated(name, true);
    }
    starsNear_.setTexture(textures.getTexture("credits/starfield1.png"));
    starsNear_.setTextureRect(sf::IntRect(-640, -360, 1920, 1080));
    starsFar_.setTexture(textures.getTexture("credits/starfield2.png"));
    starsFar_.setTextureRect(sf::IntRect(-640, -360, 1920, 1580));
    starsFar_.setColor(sf::Color(255, 255, 255, 128));
}

CreditsScreen::~CreditsScreen()
{
    clear();
}

void CreditsScreen::clear()
{
    if (TextManager::exists())
        for (int id : texts_)
            TextManager::get().removeText(id);
    texts_.clear();
    pictures_.clear();
}

void CreditsScreen::addText(const std::string& text, float size, const sf::Color& colour, int after)
{
    TextManager& texts = TextManager::get();
    const float scale = texts.getScale();
    const int id = texts.addText(0, cursorY_, text, size);
    sf::Text& label = texts.getText(id);
    label.setOutlineThickness(2.f);
    label.setFillColor(colour);
    const sf::FloatRect bounds = label.getGlobalBounds();
    texts.setTextPosition(id, static_cast<int>(320.f - bounds.width / (2.f * scale)), cursorY_);
    cursorY_ += static_cast<int>(bounds.height / scale + static_cast<float>(after));
    texts_.push_back(id);
}

void CreditsScreen::addHeader(const std::string& text)
{
    cursorY_ += 25;
    addText(text, (UiHost::get().defaultTextSize() + 1.f) * 2.f, sf::Color::White, 2);
}

void CreditsScreen::addLine(const std::string& text)
{
    cursorY_ += 1;
    addText(text, UiHost::get().defaultTextSize() + 1.f, green, 1);
}

void CreditsScreen::addPicture(float scale, float xOffset, float gapBefore, const std::string& texture)
{
    auto sprite = std::make_unique<sf::Sprite>(TextureManager::get().getTexture(texture));
    if (scale != 1.f)
        sprite->setScale(scale, scale);
    cursorY_ += static_cast<int>(12.f + gapBefore);
    const sf::FloatRect bounds = sprite->getGlobalBounds();
    sprite->setPosition(320.f - (bounds.width / 2.f + xOffset), static_cast<float>(cursorY_));
    cursorY_ += static_cast<int>(12.f + bounds.height);
    pictures_.push_back(std::move(sprite));
}

void CreditsScreen::reset(const sf::View& gameView, const sf::View& pixelView)
{
    clear();
    cursorY_ = startY;
    addPicture(1.f, 0.f, 0.f, "credits/studio_logo.png");
    addPicture(2.f, 0.f, 12.f, "title_screen/title_logo.png");
    addPicture(2.f, 0.f, -12.f, "title_screen/quorvane_title.png");
    addPicture(2.f, 0.f, -9.f, "title_screen/vesperine_title.png");

    std::string text;
    if (!readWholeFile(creditsFile_, text))
        QV_LOG << "Error: CreditsScreen::reset, could not read " << creditsFile_ << std::endl;
    const std::vector<Section> sections = parse(text);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        addHeader(sections[i].header);
        // The last section, the technologies, shows their logos in one row under its header.
        if (i + 1 == sections.size()) {
            addPicture(1.f, 0.f, 0.f, "thirdpartylogos/sfml-logo-small.png");
            addPicture(1.f, 221.f, -96.f, "thirdpartylogos/cpp_logo.png");
            addPicture(1.f, -220.f, -98.f, "thirdpartylogos/powered-by-lua.png");
        }
        for (const std::string& line : sections[i].lines)
            addLine(line);
    }

    scrolled_ = 0;
    scrollEnd_ = cursorY_ + startY;
    const float scale = TextManager::get().getScale();
    columnView_ = gameView;
    columnView_.move(0.f, -static_cast<float>(startY));
    textView_ = pixelView;
    textView_.move(0.f, -static_cast<float>(startY) * scale);
    nearStars_ = sf::View(sf::Vector2f(320.f, 180.f), sf::Vector2f(640.f, 360.f));
    farStars_ = sf::View(sf::Vector2f(475.f, 446.f), sf::Vector2f(640.f, 360.f));
    nearStars_.setViewport(gameView.getViewport());
    farStars_.setViewport(gameView.getViewport());
}

void CreditsScreen::update()
{
    const float scale = TextManager::get().getScale();
    if (scrolled_ < scrollEnd_) {
        ++scrolled_;
        columnView_.move(0.f, 1.f);
        textView_.move(0.f, scale);
    } else {
        columnView_.move(0.f, -static_cast<float>(scrolled_));
        textView_.move(0.f, -static_cast<float>(scrolled_) * scale);
        scrolled_ = 0;
    }
    if (scrolled_ % 2 == 0) {
        if (nearStars_.getCenter().y < 180.f)
            nearStars_.move(0.f, 512.f);
        nearStars_.move(0.f, -1.f);
    }
    if (farStars_.getCenter().y < 180.f)
        farStars_.move(0.f, 512.f);
    farStars_.move(0.f, -1.f);
}

void CreditsScreen::mouseMoved(sf::Vector2f pointer)
{
    leave_.setFocus(leave_.contains(pointer.x, pointer.y));
}

bool CreditsScreen::handleEvent(const sf::Event& event, sf::Vector2f pointer)
{
    bool leaving = false;
    if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left)
        leaving = leave_.contains(pointer.x, pointer.y);
    if (event.type == sf::Event::KeyPressed)
        leaving = event.key.code == sf::Keyboard::Escape || event.key.code == sf::Keyboard::Space
                  || event.key.code == sf::Keyboard::Enter;
    if (leaving)
        leave_.setFocus(false);
    return leaving;
}

void CreditsScreen::draw(sf::RenderTarget& target)
{
    const sf::View previous = target.getView();
    target.clear(sf::Color(15, 15, 20, 255));
    target.setView(farStars_);
    target.draw(starsFar_);
    target.setView(nearStars_);
    target.draw(starsNear_);
    target.setView(columnView_);
    for (const auto& picture : pictures_)
        target.draw(*picture);
    TextManager::get().drawTexts(texts_, target, sf::RenderStates::Default, &textView_);
    target.setView(previous);
    target.draw(panel_);
    leave_.draw(target);
}
