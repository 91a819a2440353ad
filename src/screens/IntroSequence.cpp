#include "screens/IntroSequence.hpp"

#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <cmath>
#include <random>

namespace {

const char* const shipFrames[] = {"mapscreen/ship_moving0.png", "mapscreen/ship_moving1.png",
                                  "mapscreen/ship_moving2.png"};
const sf::Vector2f shipStart(30.f, 87.f);
// Beyond the bottom-right corner: the ship crosses the screen and leaves it.
const sf::Vector2f shipGoal(960.f, 540.f);
// Logical units per millisecond, the map's engine at the start of a run.
constexpr float shipSpeed = 0.05f;
constexpr std::int64_t shipFrameMicroseconds = 100000;
constexpr float textX = 12.f;
constexpr float firstRowY = 9.f;

} // namespace

const std::vector<std::string>& IntroSequence::script()
{
    static const std::vector<std::string> lines = {
        "Click to advance text. Press [Enter] to skip.",
        " ",
        "ZPVE deceleration cycle initiated...",
        "Wake inhibitors disabled...",
        "Mission parameters loaded...",
        " ",
        "Two centuries of heat and war, then the Ashing. The sky turned brown and every crop on Earth failed.",
        " ",
        "The Quorvane Programme was Earth's last joint work. Its thinking machines, the Quorvane minds, found the "
        "zero-point drive that carries a ship between the stars.",
        " ",
        "Seven arks left in the Vesperine flight, each with sleepers in its cryonics bay, a small waking crew and one "
        "mind. The Ruri was the last to leave. It carries 2,140 sleepers.",
        " ",
        "I am the Ruri's mind. I fly the ship, plot the course and read the sensors. I cannot walk, lift or touch "
        "anything. At every world I choose which of the crew go down to it.",
        " ",
        "The waking crew are my hands. They and the sleepers below them are the last of Earth's people. Only the "
        "waking crew eat, and only they can die.",
        " ",
        "Reach the edge of each sector and make a light jump to the next. Search the sectors for planets, moons and "
        "stations. Keep food and fuel stocked, and find the sleepers a new home before either runs out.",
        " ",
        "Good luck...",
        " ",
    };
    return lines;
}

std::string IntroSequence::wrap(const std::string& text, int& rows)
{
    std::string wrapped = text;
    rows = 1;
    std::size_t counted = 0;
    std::size_t lastSpace = std::string::npos;
    for (std::size_t i = 0; i < wrapped.size(); ++i) {
        if (wrapped[i] == ' ')
            lastSpace = i;
        if (++counted < wrapColumn)
            continue;
        if (lastSpace != std::string::npos) {
            wrapped[lastSpace] = '\n';
            counted = i - lastSpace;
        } else {
            wrapped.insert(i, 1, '\n');
            ++i; // counting goes on after the break
            counted = 1;
        }
        lastSpace = std::string::npos;
        ++rows;
    }
    return wrapped;
}

IntroSequence::IntroSequence()
{
    TextureManager& textures = TextureManager::get();
    sf::Texture& tiles = textures.getTexture("mapscreen/space_tiles.png");
    // The same sky at every start.
    std::mt19937 random(42);
    for (std::size_t i = 0; i < background_.size(); ++i) {
        const int tile = static_cast<int>(random() % 16);
        background_[i].setTexture(tiles);
        background_[i].setTextureRect(sf::IntRect((tile % 4) * 128, (tile / 4) * 128, 128, 128));
        background_[i].setPosition(static_cast<float>(i % 5) * 128.f, static_cast<float>(i / 5) * 128.f);
    }
    ship_.setTexture(textures.getTexture(shipFrames[0]), true);
    ship_.setOrigin(22.f, 20.f);
}

IntroSequence::~IntroSequence()
{
    clearLines();
}

void IntroSequence::clearLines()
{
    if (TextManager::exists())
        for (const Line& line : lines_)
            TextManager::get().removeText(line.textId);
    lines_.clear();
}

float IntroSequence::lineSpacing() const
{
    // In logical units: the font's spacing at the texts' size, without the interface scale.
    TextManager& texts = TextManager::get();
    const unsigned size = texts.characterSize(UiHost::get().defaultTextSize());
    return UiHost::get().gameFont().getLineSpacing(size) / texts.getScale();
}

void IntroSequence::addLine(const std::string& text, bool shown)
{
    Line line;
    const std::string wrapped = wrap(text, line.rows);
    line.length = text.size();
    line.shown = shown;
    TextManager& texts = TextManager::get();
    line.textId = texts.addText(static_cast<int>(textX), static_cast<int>(textY_), wrapped);
    texts.getText(line.textId).setOutlineThickness(1.f);
    textY_ += static_cast<float>(line.rows) * lineSpacing();
    lines_.push_back(line);
}

void IntroSequence::start(const sf::View& pixelView)
{
    finished_ = false;
    typingDone_ = false;
    advance_ = false;
    clearLines();
    nextLine_ = 1;
    scrolledRows_ = visibleRows;
    scrolledPixels_ = 0.f;
    textY_ = firstRowY;
    view_ = pixelView;

    shipPosition_ = shipStart;
    const sf::Vector2f way = shipGoal - shipStart;
    const float length = std::sqrt(way.x * way.x + way.y * way.y);
    shipDirection_ = sf::Vector2f(way.x / length, way.y / length);
    ship_.setRotation(std::atan2(shipStart.y - shipGoal.y, shipStart.x - shipGoal.x) * 57.32484f);
    ship_.setPosition(shipPosition_);
    frame_ = 0;
    frameTime_ = 0;

    const std::vector<std::string>& lines = script();
    for (std::size_t i = 0; i < lines.size(); ++i)
        addLine(lines[i], i == 0);
}

void IntroSequence::handleEvent(const sf::Event& event)
{
    if (event.type == sf::Event::MouseButtonReleased)
        advance_ = true;
}

void IntroSequence::update(std::int64_t microseconds)
{
    const float milliseconds = static_cast<float>(microseconds) / 1000.f;
    shipPosition_ += shipDirection_ * (shipSpeed * milliseconds);
    ship_.setPosition(shipPosition_);
    frameTime_ += microseconds;
    if (frameTime_ >= shipFrameMicroseconds) {
        frameTime_ = 0;
        frame_ = (frame_ + 1) % 3;
        ship_.setTexture(TextureManager::get().getTexture(shipFrames[frame_]), true);
    }

    if (typingDone_) {
        finished_ = true;
        return;
    }
    if (nextLine_ >= lines_.size()) {
        typingDone_ = true;
        return;
    }
    if (advance_) {
        Line& line = lines_[nextLine_];
        // A blank line comes with the line after it.
        if (line.length != 1)
            advance_ = false;
        line.shown = true;
        ++nextLine_;
    }
    // The newest text stays on screen.
    int rows = 0;
    for (const Line& line : lines_)
        if (line.shown)
            rows += line.rows;
    if (rows > scrolledRows_) {
        const float pixels = static_cast<float>(rows - scrolledRows_) * lineSpacing() * TextManager::get().getScale();
        view_.move(0.f, pixels);
        scrolledPixels_ += pixels;
        scrolledRows_ = rows;
    }
}

std::size_t IntroSequence::shownLines() const
{
    std::size_t shown = 0;
    for (const Line& line : lines_)
        shown += line.shown ? 1 : 0;
    return shown;
}

void IntroSequence::draw(sf::RenderTarget& target)
{
    for (const sf::Sprite& tile : background_)
        target.draw(tile);
    target.draw(ship_);
    std::vector<int> ids;
    for (const Line& line : lines_)
        if (line.shown)
            ids.push_back(line.textId);
    TextManager::get().drawTexts(ids, target, sf::RenderStates::Default, &view_);
}
