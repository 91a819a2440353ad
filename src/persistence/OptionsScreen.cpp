#include "persistence/OptionsScreen.hpp"

#include "audio/AudioManager.hpp"
#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"
#include "core/StateManager.hpp"
#include "core/Version.hpp"
#include "persistence/FontStore.hpp"
#include "persistence/Options.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

namespace {

const char* const clickSound = "button_click.wav";
const char* const dismissSound = "character_interact_3.wav";
const char* const leaveSound = "deploy_leave_1.wav";
const sf::Color labelGreen(0, 255, 0);

const std::vector<std::string> textModes = {"Green", "Amber", "Inverted"};

void place(sf::Sprite& sprite, const char* texture, float x, float y)
{
    sprite.setTexture(TextureManager::get().getTexture(texture), true);
    sprite.setPosition(x, y);
}

void placeButton(Button& button, const char* texture, float x, float y)
{
    button.setTexture(TextureManager::get().getTexture(texture));
    button.setPosition(x, y);
}

// The names of the font files: each file name up to its first ".".
std::vector<std::string> fontNames(const std::string& folder)
{
    std::vector<std::string> names;
    for (const std::string& file : listRegularFiles(folder))
        names.push_back(file.substr(0, file.find('.')));
    return names;
}

int indexOf(const std::vector<std::string>& items, const std::string& wanted)
{
    const auto found = std::find(items.begin(), items.end(), wanted);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

} // namespace

OptionsScreen& OptionsScreen::get()
{
    return ProcessWide<OptionsScreen>::get();
}

bool OptionsScreen::exists()
{
    return ProcessWide<OptionsScreen>::exists();
}

void OptionsScreen::destroy()
{
    ProcessWide<OptionsScreen>::destroy();
}

void OptionsScreen::install(std::unique_ptr<OptionsScreen> screen)
{
    ProcessWide<OptionsScreen>::install(std::move(screen));
}

OptionsScreen::OptionsScreen()
{
    Options& options = Options::get();
    TextManager& texts = TextManager::get();

    place(background_, "title_screen/title_bg2.png", 0.f, 0.f);
    place(title_, "title_screen/quorvane_title.png", 238.f, 42.f);
    place(subtitle_, "title_screen/vesperine_title.png", 243.f, 76.f);
    place(optionsPanel_, "options_screen/options_panel.png", 88.f, 102.f);
    place(cheatsPanel_, "options_screen/cheats_panel.png", 228.f, 248.f);
    place(leavePanel_, "general/small_panel.png", 15.f, 304.f);
    placeButton(leaveButton_, "general/button_leave.png_Up", 24.f, 312.f);

    struct LabelPlace {
        int x, y;
        const char* text;
    };
    for (const LabelPlace& label : {LabelPlace{106, 130, "Fullscreen"}, {106, 146, "Resolution"},
                                    {106, 170, "Sprite Cursor"}, {256, 130, "Font"}, {256, 146, "Mission Text"},
                                    {256, 162, "Text Speed"}, {256, 186, "Music Volume"}, {256, 202, "Sound Volume"},
                                    {256, 271, "Only eat when moving"}, {256, 287, "Always show planets"},
                                    {406, 130, "Log Mission Text"}, {406, 154, "Open Current Log"},
                                    {406, 170, "Open Log Folder"}, {406, 186, "Open User Folder"},
                                    {406, 210, "Fast-forward Text"}, {406, 226, "Pause Text"}}) {
        const int id = texts.addText(label.x, label.y, label.text);
        texts.getText(id).setFillColor(labelGreen);
        labels_.push_back(id);
    }
    const int version = texts.addText(106, 194, engineVersion);
    texts.getText(version).setFillColor(sf::Color::White);
    labels_.push_back(version);

    fullscreenToggle_.setPosition(222.f, 130.f);
    spriteCursorToggle_.setPosition(222.f, 170.f);
    foodToggle_.setPosition(372.f, 271.f);
    planetToggle_.setPosition(372.f, 287.f);
    missionPrintToggle_.setPosition(522.f, 130.f);
    // How the mission text starts; the mission screen's own buttons change it during a mission.
    fastForwardToggle_.setPosition(522.f, 210.f);
    pauseToggle_.setPosition(522.f, 226.f);
    placeButton(openLogButton_, "options_screen/file_button.png", 522.f, 154.f);
    placeButton(openLogFolderButton_, "options_screen/folder_button.png", 522.f, 170.f);
    placeButton(openUserFolderButton_, "options_screen/folder_button.png", 522.f, 186.f);

    placeButton(textSpeed_.bar, "options_screen/textspeedslider_bg.png", 320.f, 164.f);
    placeButton(music_.bar, "options_screen/soundslider_bg.png", 320.f, 188.f);
    placeButton(sound_.bar, "options_screen/soundslider_bg.png", 320.f, 204.f);
    textSpeed_.knobY = 162.f;
    music_.knobY = 186.f;
    sound_.knobY = 202.f;
    for (SliderControl* slider : {&textSpeed_, &music_, &sound_}) {
        slider->knob.setTexture(TextureManager::get().getTexture("options_screen/slider_point.png"), true);
        // The knob is centred on its value.
        slider->knob.setOrigin(slider->knob.getLocalBounds().width / 2.f, 0.f);
    }

    // Each list is filled and set before it gets its callback, so building calls none.
    for (Dropdown* list : {&fontList_, &resolutionList_, &textModeList_})
        list->labelOffsetX = 17.f;
    fontList_.fontPreview = true;
    fontList_.setPosition(308.f, 129.f);
    fontList_.setItems(fontNames(FontStore::get().fontsFolder()));
    textModeList_.setPosition(308.f, 145.f);
    textModeList_.setItems(textModes);
    resolutionList_.setPosition(158.f, 145.f);
    resolutionList_.setItems(options.resolutionList);
    options.textModeChanged = true;
    fontList_.onSelect = [this](const std::string& name) { fontPicked(name); };
    textModeList_.onSelect = [this](const std::string&) {
        Options::get().onTextModePicked(textModeList_.getSelectedIndex());
    };
    resolutionList_.onSelect = [this](const std::string& text) {
        Options::get().onResolutionPicked(resolutionList_.getSelectedIndex(), text);
    };

    fontTip_.offsetY = 5.f;
    fontTip_.margin = 5.f;
    fontTip_.setBoxColor(sf::Color(128, 128, 128, 255));
    fontTip_.setText("Please complete current mission\nor return to the menu before\nchanging font");

    refresh();
}

OptionsScreen::~OptionsScreen()
{
    if (TextManager::exists())
        for (int id : labels_)
            TextManager::get().removeText(id);
}

void OptionsScreen::refresh()
{
    Options& options = Options::get();
    AudioManager& audio = AudioManager::get();
    placeButton(leaveButton_, "general/button_leave.png_Up", 24.f, 312.f);
    showToggle(fullscreenToggle_, options.fullscreen);
    showToggle(spriteCursorToggle_, options.spriteCursor);
    showToggle(missionPrintToggle_, options.missionPrint);
    showToggle(fastForwardToggle_, options.fastForwardText);
    showToggle(pauseToggle_, options.pauseText);
    showToggle(foodToggle_, options.foodCheat);
    showToggle(planetToggle_, options.planetCheat);
    placeKnob(music_, Options::volumeKnobAt(audio.getMusicVolume()));
    placeKnob(sound_, Options::volumeKnobAt(audio.getEffectsVolume()));
    placeKnob(textSpeed_, options.textSpeedKnobAt(options.wordsPerSecond));

    // The lists show what is in force. A font name the list does not have (a font removed
    // since) shows the default font, which is what the game then uses.
    int font = indexOf(fontList_.getItems(), options.fontName);
    if (font < 0)
        font = indexOf(fontList_.getItems(), "monofur");
    fontList_.selectQuietly(font);
    textModeList_.selectQuietly(options.textMode);
    resolutionList_.selectQuietly(options.resolutionIndex);
}

void OptionsScreen::showToggle(Button& toggle, bool on)
{
    toggle.setTexture(
        TextureManager::get().getTexture(on ? "options_screen/toggle_on.png" : "options_screen/toggle_off.png"));
}

void OptionsScreen::placeKnob(SliderControl& slider, float fraction)
{
    const sf::FloatRect bar = slider.bar.getBounds();
    slider.knob.setPosition(bar.left + fraction * bar.width, slider.knobY);
}

void OptionsScreen::setFontChoiceEnabled(bool enabled)
{
    fontList_.enabled = enabled;
    if (enabled)
        fontTip_.follow(-1.f, -1.f);
}

OptionsScreen::SliderControl& OptionsScreen::sliderFor(Slider which)
{
    switch (which) {
    case Slider::Music:
        return music_;
    case Slider::Sound:
        return sound_;
    case Slider::TextSpeed:
        break;
    }
    return textSpeed_;
}

const sf::Sprite& OptionsScreen::knob(Slider which) const
{
    return const_cast<OptionsScreen*>(this)->sliderFor(which).knob;
}

sf::FloatRect OptionsScreen::bar(Slider which)
{
    return sliderFor(which).bar.getBounds();
}

// --- Events ---

void OptionsScreen::handleEvent(const sf::Event& event, sf::Vector2f pointer)
{
    switch (event.type) {
    case sf::Event::MouseButtonPressed:
        if (event.mouseButton.button == sf::Mouse::Left) {
            leftDown_ = true;
            mousePressed(pointer.x, pointer.y);
        }
        break;
    case sf::Event::MouseButtonReleased:
        if (event.mouseButton.button == sf::Mouse::Left)
            leftDown_ = false;
        break;
    case sf::Event::LostFocus:
        // The release may go to another window: the drag ends here.
        leftDown_ = false;
        break;
    case sf::Event::MouseMoved:
        if (dragging_) {
            dragTo(pointer.x);
        } else if (!fontList_.enabled) {
            const bool over = fontList_.getToggle().getSprite().getGlobalBounds().contains(pointer);
            fontTip_.follow(over ? pointer.x : -1.f, over ? pointer.y : -1.f);
        }
        break;
    default:
        break;
    }
    // A drag lasts until the button is let go; its value is saved once, then.
    if (dragging_ && !leftDown_) {
        dragging_ = nullptr;
        Options::get().saveOptions();
    }
}

void OptionsScreen::mousePressed(float x, float y)
{
    if (pressDropdowns(x, y))
        return;
    // A click beside an open list only closes it.
    for (Dropdown* list : {&fontList_, &resolutionList_, &textModeList_}) {
        if (list->isOpen()) {
            UiHost::get().playSound(dismissSound);
            list->close();
            return;
        }
    }
    pressButtons(x, y);
}

// Every list hears the click (an open list may lie over another one's toggle); the first one
// that used it wins and the others close.
bool OptionsScreen::pressDropdowns(float x, float y)
{
    Dropdown* lists[] = {&fontList_, &resolutionList_, &textModeList_};
    bool used[3];
    for (int i = 0; i < 3; ++i)
        used[i] = lists[i]->handleClick(x, y);
    for (int i = 0; i < 3; ++i) {
        if (!used[i])
            continue;
        UiHost::get().playSound(clickSound);
        for (int other = 0; other < 3; ++other)
            if (other != i)
                lists[other]->close();
        return true;
    }
    return false;
}

void OptionsScreen::pressButtons(float x, float y)
{
    Options& options = Options::get();
    UiHost& host = UiHost::get();
    if (leaveButton_.contains(x, y)) {
        leave();
        return;
    }
    if (fullscreenToggle_.contains(x, y)) {
        host.playSound(clickSound);
        options.toggleFullscreen();
        refresh();
        if (onWindowModeChanged)
            onWindowModeChanged();
        return;
    }
    for (SliderControl* slider : {&music_, &sound_, &textSpeed_}) {
        if (slider->bar.contains(x, y)) {
            host.playSound(clickSound);
            setSliderFrom(*slider, x);
            options.saveOptions();
            dragging_ = slider;
            return;
        }
    }
    if (spriteCursorToggle_.contains(x, y)) {
        host.playSound(clickSound);
        options.spriteCursor = !options.spriteCursor;
        if (onPointerChanged)
            onPointerChanged();
        options.saveOptions();
        refresh();
        return;
    }
    const std::pair<Button*, bool*> switches[] = {{&missionPrintToggle_, &options.missionPrint},
                                                  {&foodToggle_, &options.foodCheat},
                                                  {&planetToggle_, &options.planetCheat},
                                                  {&fastForwardToggle_, &options.fastForwardText},
                                                  {&pauseToggle_, &options.pauseText}};
    for (const auto& [button, setting] : switches) {
        if (button->contains(x, y)) {
            host.playSound(clickSound);
            toggle(*setting);
            return;
        }
    }
    // The folders are asked for only when opened: asking makes them.
    const std::pair<Button*, std::string (*)()> places[] = {{&openUserFolderButton_, &userPath},
                                                             {&openLogFolderButton_, &logsPath},
                                                             {&openLogButton_, &Logger::path}};
    for (const auto& [button, place] : places) {
        if (button->contains(x, y)) {
            host.playSound(clickSound);
            host.openInShell(place());
            refresh();
            return;
        }
    }
}

void OptionsScreen::toggle(bool& setting)
{
    setting = !setting;
    Options::get().saveOptions();
    refresh();
}

void OptionsScreen::leave()
{
    UiHost::get().playSound(leaveSound);
    placeButton(leaveButton_, "general/button_leave.png_Down", 24.f, 312.f);
    StateManager& states = StateManager::get();
    const GameState back = Options::get().returnState;
    // The title starts afresh; any other state (a mission, the map) carries on as it was.
    if (back == GameState::Title || back == GameState::Options)
        states.changeState(GameState::Title, true, true);
    else
        states.changeState(back, false, true);
}

void OptionsScreen::dragTo(float x)
{
    const sf::FloatRect bar = dragging_->bar.getBounds();
    setSliderFrom(*dragging_, std::clamp(x, bar.left, bar.left + bar.width));
}

void OptionsScreen::setSliderFrom(SliderControl& slider, float x)
{
    const sf::FloatRect bar = slider.bar.getBounds();
    const float fraction = (x - bar.left) / bar.width;
    if (&slider == &textSpeed_) {
        Options& options = Options::get();
        options.wordsPerSecond = options.wordsPerSecondAt(fraction);
    } else if (&slider == &music_) {
        AudioManager::get().setMusicVolume(Options::volumeAt(fraction));
    } else {
        AudioManager::get().setEffectsVolume(Options::volumeAt(fraction));
    }
    // The knob follows the pointer, also past the value's end (the pace stops at 70%).
    slider.knob.setPosition(x, slider.knobY);
}

void OptionsScreen::fontPicked(const std::string& name)
{
    // A font that cannot be read changes nothing: the list shows the font in use again.
    if (!Options::get().onFontPicked(name))
        refresh();
}

// --- Drawing ---

void OptionsScreen::drawSlider(SliderControl& slider, sf::RenderTarget& target)
{
    slider.bar.draw(target);
    target.draw(slider.knob);
}

void OptionsScreen::draw(sf::RenderTarget& target)
{
    for (const sf::Sprite* sprite : {&background_, &title_, &subtitle_, &optionsPanel_, &cheatsPanel_, &leavePanel_})
        target.draw(*sprite);
    TextManager::get().drawTexts(labels_, target);
    fullscreenToggle_.draw(target);
    leaveButton_.draw(target);
    drawSlider(music_, target);
    drawSlider(sound_, target);
    for (Button* button : {&missionPrintToggle_, &spriteCursorToggle_, &openUserFolderButton_,
                           &openLogFolderButton_, &openLogButton_, &fastForwardToggle_, &pauseToggle_})
        button->draw(target);
    drawSlider(textSpeed_, target);
    // An open list covers what lies under it.
    textModeList_.draw(target);
    fontList_.draw(target);
    resolutionList_.draw(target);
    foodToggle_.draw(target);
    planetToggle_.draw(target);
    fontTip_.draw(target);
}
