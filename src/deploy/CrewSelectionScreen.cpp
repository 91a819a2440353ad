#include "deploy/CrewSelectionScreen.hpp"

#include "core/Logger.hpp"
#include "crew/CharacterManager.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

namespace {

void place(sf::Sprite& sprite, const std::string& texture, float x, float y)
{
    sprite.setTexture(TextureManager::get().getTexture(texture), true);
    sprite.setPosition(x, y);
}

void setUp(Button& button, const std::string& frame, float x, float y)
{
    button.setTexture(TextureManager::get().getTexture(frame));
    button.setPosition(x, y);
}

void look(Button& button, const std::string& frame, bool enabled)
{
    button.setTexture(TextureManager::get().getTexture(frame));
    button.enabled = enabled;
    button.setColor(enabled ? sf::Color::White : sf::Color(128, 128, 128));
}

void sound(const char* name)
{
    UiHost::get().playSound(name);
}

const char* const platformOnline = "general/character_related/character_baseplatform_normal_online.png";
const char* const platformOffline = "general/character_related/character_baseplatform_normal_offline.png";

} // namespace

CrewSelectionScreen::CrewSelectionScreen(CharacterManager& crew, std::uint32_t seed)
    : crew_(crew)
    , selection_(seed)
{
    place(background_, "crewselection_screen/crew_bg.png", 0.f, 0.f);
    place(library_, "crewselection_screen/libary_screen.png", 12.f, 25.f);
    place(stripes_, "crewselection_screen/yellowstripes.png", 270.f, 50.f);
    place(chosenPanel_, "crewselection_screen/choosen_crew_screen.png", 442.f, 32.f);
    place(difficultyPanel_, "crewselection_screen/difficulty_screen.png", 575.f, 38.f);
    place(infoPanel_, "general/character_infoscreen.png", 290.f, 130.f);
    place(leavePanel_, "general/small_panel.png", 42.f, 291.f);
    place(randomizePanel_, "general/small_panel.png", 575.f, 150.f);
    place(startPanel_, "general/small_panel_2.png", 465.f, 291.f);
    place(topBorder_, "general/topborder_screen.png", 279.f, 0.f);
    TextManager& texts = TextManager::get();
    titleText_ = texts.addText(285, -2, "CHARACTER SELECT");
    leftText_ = texts.addText(150, 22, "");
    countText_ = texts.addText(507, 29, "");
    countText2_ = texts.addText(468, 269, "");
    pageText_ = texts.addText(100, 45, "PAGE 1/1");
    setUp(easyButton_, "crewselection_screen/button_easy.png_UP", 585.f, 50.f);
    setUp(mediumButton_, "crewselection_screen/button_medium.png_UP", 585.f, 75.f);
    setUp(hardButton_, "crewselection_screen/button_hard.png_UP", 585.f, 100.f);
    setUp(startButton_, "deploymanager/button_deploy.png_Down", 480.f, 303.f);
    setUp(randomizeButton_, "crewselection_screen/randomize_button.png_Up", 584.f, 158.f);
    setUp(leaveButton_, "general/button_leave.png_Up", 51.f, 299.f);
    setUp(pageLeft_, "crewselection_screen/button_arrow_left.png_UP", 26.f, 44.f);
    setUp(pageRight_, "crewselection_screen/button_arrow_right.png_UP", 212.f, 44.f);
    for (const CrewSelection::Slot& slot : selection_.slots()) {
        sf::Sprite platform;
        place(platform, platformOffline, slot.platform.x, slot.platform.y);
        platform.setOrigin(6.f, 6.f);
        platforms_.push_back(platform);
    }
    locks_.resize(CrewSelection::slotCount);
    nametags_.resize(CrewSelection::slotCount);
}

CrewSelectionScreen::~CrewSelectionScreen()
{
    if (!TextManager::exists())
        return;
    for (int id : { titleText_, leftText_, countText_, countText2_, pageText_ })
        TextManager::get().removeText(id);
}

void CrewSelectionScreen::enter()
{
    left_ = false;
    dragged_ = -1;
    crew_.clearCharacterInfo();
    crew_.clearSelection();
    std::int32_t size = 0;
    {
        auto guard = crew_.lock();
        size = static_cast<std::int32_t>(crew_.getCrewOnShip().size());
        crew_.getChosenCrew().clear();
    }
    selection_.enter(size);
    crew_.layoutGrid(41.f, 67.f, 4, 0, true);
    layOutPage();
}

void CrewSelectionScreen::layOutPage()
{
    crew_.layoutGrid(41.f, 67.f, 4, selection_.firstOnPage(), false);
    showOrigins();
    placeCards();
    refreshLook();
}

// Origin badges: a workshop character, or one from the mods folder (after the grid, which
// shows ranks there).
void CrewSelectionScreen::showOrigins()
{
    auto guard = crew_.lock();
    for (Character& member : crew_.getCrewOnShip()) {
        if (member.steamCharacterID != 0)
            member.card.setBadgeTexture("general/character_related/character_origin/source_steamworkshop.png");
        else if (member.filePath.find("/mods/characters/") != std::string::npos)
            member.card.setBadgeTexture("general/character_related/character_origin/source_edited.png");
        else
            member.card.setBadgeTexture("");
    }
}

// Chosen cards stand on their slots; the others at home in the library grid.
void CrewSelectionScreen::placeCards()
{
    {
        auto guard = crew_.lock();
        auto& library = crew_.getCrewOnShip();
        for (std::size_t i = 0; i < library.size(); ++i) {
            const auto character = static_cast<std::int32_t>(i);
            if (character == dragged_)
                continue;
            CharacterCard& card = library[i].card;
            const std::int32_t slot = selection_.slotOf(character);
            const bool onPage = character >= selection_.firstOnPage() && character <= selection_.lastOnPage();
            sf::Vector2f at = slot >= 0 ? selection_.slots()[static_cast<std::size_t>(slot)].snap : card.homePosition;
            if (slot < 0 && !onPage)
                at = CrewCards::outOfView;
            card.inSlot = slot >= 0;
            card.setPosition(at.x, at.y);
            card.placeParts(at);
            card.setPlatformTexture(slot >= 0 ? platformOffline : platformOnline);
        }
    }
    crew_.rebuildRows();
    storeChosen();
}

void CrewSelectionScreen::storeChosen()
{
    auto guard = crew_.lock();
    std::vector<Character>& chosen = crew_.getChosenCrew();
    chosen.clear();
    for (std::int32_t character : selection_.chosen())
        chosen.push_back(crew_.getCrewOnShip()[static_cast<std::size_t>(character)]);
}

void CrewSelectionScreen::refreshLook()
{
    const auto& slots = selection_.slots();
    for (std::size_t k = 0; k < slots.size(); ++k) {
        place(platforms_[k], slots[k].occupant >= 0 || slots[k].locked ? platformOnline : platformOffline,
              slots[k].platform.x, slots[k].platform.y);
        const bool easyLock = k >= 6;
        place(locks_[k], easyLock ? "crewselection_screen/lock_easy.png" : "crewselection_screen/lock_medium.png",
              slots[k].snap.x - 2.f, slots[k].snap.y + 2.f);
        place(nametags_[k], easyLock ? "crewselection_screen/nametag_easy.png" : "crewselection_screen/nametag_medium.png",
              slots[k].snap.x - 20.f, slots[k].snap.y + 28.f);
    }
    const bool allowed = selection_.startAllowed();
    look(startButton_, allowed ? "deploymanager/button_deploy.png_Up" : "deploymanager/button_deploy.png_Down", allowed);
    const std::int32_t required = selection_.requiredCrew();
    easyButton_.setTexture(TextureManager::get().getTexture(std::string("crewselection_screen/button_easy.png_")
                                                            + (required == 8 ? "DOWN" : "UP")));
    mediumButton_.setTexture(TextureManager::get().getTexture(std::string("crewselection_screen/button_medium.png_")
                                                              + (required == 6 ? "DOWN" : "UP")));
    hardButton_.setTexture(TextureManager::get().getTexture(std::string("crewselection_screen/button_hard.png_")
                                                            + (required == 4 ? "DOWN" : "UP")));
    look(pageLeft_, "crewselection_screen/button_arrow_left.png_UP", selection_.libraryPage() > 0);
    look(pageRight_, "crewselection_screen/button_arrow_right.png_UP",
         selection_.libraryPage() + 1 < selection_.pageCount());

    TextManager& texts = TextManager::get();
    const std::int32_t chosen = static_cast<std::int32_t>(selection_.chosen().size());
    const std::string count = std::to_string(chosen) + "/" + std::to_string(required);
    texts.getText(countText_).setString(count);
    texts.getText(countText2_).setString(count);
    std::int32_t size = 0;
    {
        auto guard = crew_.lock();
        size = static_cast<std::int32_t>(crew_.getCrewOnShip().size());
    }
    texts.getText(leftText_).setString(std::to_string(size - chosen));
    texts.getText(pageText_).setString(selection_.pageText());
}

void CrewSelectionScreen::update()
{
    refreshLook();
}

std::int32_t CrewSelectionScreen::cardAt(float x, float y)
{
    auto guard = crew_.lock();
    auto& library = crew_.getCrewOnShip();
    for (std::size_t i = 0; i < library.size(); ++i) {
        const auto character = static_cast<std::int32_t>(i);
        const bool onPage = character >= selection_.firstOnPage() && character <= selection_.lastOnPage();
        if ((onPage || selection_.slotOf(character) >= 0) && library[i].card.contains(x, y))
            return character;
    }
    return -1;
}

void CrewSelectionScreen::mousePressed(float x, float y)
{
    const std::int32_t character = cardAt(x, y);
    if (character < 0)
        return;
    sound("character_interact_3.wav");
    dragged_ = character;
    selection_.lift(character);
    auto guard = crew_.lock();
    Character& member = crew_.getCrewOnShip()[static_cast<std::size_t>(character)];
    member.card.inSlot = false;
    grabOffset_ = member.card.getPosition() - sf::Vector2f(x, y);
    crew_.showCharacterInfo(300.f, 143.f, member, false);
    crew_.setDraggedIndex(character);
}

void CrewSelectionScreen::mouseMoved(float x, float y)
{
    if (dragged_ >= 0) {
        auto guard = crew_.lock();
        CharacterCard& card = crew_.getCrewOnShip()[static_cast<std::size_t>(dragged_)].card;
        const sf::Vector2f at = sf::Vector2f(x, y) + grabOffset_;
        card.setPosition(at.x, at.y);
        card.placeParts(at);
    }
    for (Button* button : { &easyButton_, &mediumButton_, &hardButton_, &startButton_, &randomizeButton_,
                            &leaveButton_, &pageLeft_, &pageRight_ })
        button->setFocus(button->contains(x, y));
}

void CrewSelectionScreen::mouseReleased(float x, float y)
{
    if (dragged_ >= 0) {
        sound("character_interact_1.wav");
        sf::Vector2f at;
        {
            auto guard = crew_.lock();
            at = crew_.getCrewOnShip()[static_cast<std::size_t>(dragged_)].card.getPosition();
        }
        selection_.drop(dragged_, at);
        dragged_ = -1;
        crew_.setDraggedIndex(-1);
        placeCards();
        refreshLook();
        return;
    }
    const std::pair<Button*, std::int32_t> difficulties[] = { { &easyButton_, 8 }, { &mediumButton_, 6 }, { &hardButton_, 4 } };
    for (const auto& [button, required] : difficulties) {
        if (button->contains(x, y)) {
            sound("button_click.wav");
            selection_.setRequiredCrew(required);
            placeCards();
            refreshLook();
            return;
        }
    }
    if (startButton_.contains(x, y) && selection_.start()) {
        sound("deploy_leave_2.wav");
        storeChosen();
    } else if (randomizeButton_.contains(x, y)) {
        sound("button_click.wav");
        crew_.clearCharacterInfo();
        selection_.randomize();
        placeCards();
    } else if (leaveButton_.contains(x, y)) {
        sound("deploy_leave_1.wav");
        left_ = true;
    } else if (pageLeft_.contains(x, y) && selection_.previousPage()) {
        sound("button_click.wav");
        layOutPage();
    } else if (pageRight_.contains(x, y) && selection_.nextPage()) {
        sound("button_click.wav");
        layOutPage();
    }
    refreshLook();
}

void CrewSelectionScreen::draw(sf::RenderTarget& target)
{
    target.draw(background_);
    target.draw(library_);
    target.draw(stripes_);
    target.draw(chosenPanel_);
    target.draw(difficultyPanel_);
    target.draw(infoPanel_);
    target.draw(leavePanel_);
    target.draw(randomizePanel_);
    target.draw(startPanel_);
    target.draw(topBorder_);
    for (const sf::Sprite& platform : platforms_)
        target.draw(platform);
    const auto& slots = selection_.slots();
    for (std::size_t k = 0; k < slots.size(); ++k)
        if (slots[k].locked) {
            target.draw(nametags_[k]);
            target.draw(locks_[k]);
        }
    if (crew_.getSelectedCharacter())
        crew_.drawCharacterInfo(target);
    crew_.drawCards(target, selection_.firstOnPage());
    drawSlotNames(target);
    TextManager::get().drawTexts({ titleText_, leftText_, countText_, countText2_, pageText_ }, target);
    for (Button* button : { &easyButton_, &mediumButton_, &hardButton_, &startButton_, &randomizeButton_,
                            &leaveButton_, &pageLeft_, &pageRight_ })
        button->draw(target);
}

// The names of the cards standing on slots, on the slots' name tags.
void CrewSelectionScreen::drawSlotNames(sf::RenderTarget& target)
{
    std::vector<int> names;
    {
        auto guard = crew_.lock();
        for (const Character& member : crew_.getCrewOnShip())
            if (member.card.inSlot && member.card.nameTextId() >= 0)
                names.push_back(member.card.nameTextId());
    }
    TextManager::get().drawTexts(names, target);
}
