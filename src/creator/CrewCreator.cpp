#include "creator/CrewCreator.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/PictureBytes.hpp"
#include "core/ProcessWide.hpp"
#include "core/TextFunctions.hpp"
#include "creator/CharacterPickerWindowScreen.hpp"
#include "crew/CrewVocabulary.hpp"
#include "persistence/Options.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics/RenderTarget.hpp>
#include <SFML/Window/Mouse.hpp>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <ctime>

namespace {

const char* const clickSound = "button_click.wav";
const char* const dismissSound = "character_interact_3.wav";
const char* const saveSound = "deploy_leave_2.wav";
const char* const leaveSound = "deploy_leave_1.wav";
const char* const randomFrames = "crew_creator/button_random.png";
const char* const leaveUp = "general/button_leave.png_Up";
const char* const leaveDown = "general/button_leave.png_Down";
const char* const basePlatform = "general/character_related/character_baseplatform_normal_online.png";
const sf::Time randomRestoreDelay = sf::milliseconds(250);
const sf::Time restoreDelay = sf::milliseconds(500);
const sf::Color green(0, 255, 0);

sf::Texture& texture(const std::string& name)
{
    return TextureManager::get().getTexture(name);
}

void place(sf::Sprite& sprite, const std::string& name, float x, float y)
{
    sprite.setTexture(texture(name), true);
    sprite.setPosition(x, y);
}

// A button with its raised frame, the highlight over it, at (x, y).
void placeButton(Button& button, const std::string& sheet, float x, float y)
{
    button.setTexture(texture(sheet + "_UP"));
    button.setHighlightTexture(texture(sheet + "_HI"));
    button.setPosition(x, y);
}

std::string lowerCase(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string withSpaces(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

bool nameTaken(const std::string& name)
{
    CharacterManager& roster = CharacterManager::get();
    auto guard = roster.lock();
    for (const Character& character : roster.getAllCharacters())
        if (character.hasProperty("name") && character.getProperty("name") == name)
            return true;
    return false;
}

} // namespace

CrewCreator& CrewCreator::get()
{
    return ProcessWide<CrewCreator>::get([] {
        return std::make_unique<CrewCreator>(CharacterManager::Folders::ofGame(),
                                             static_cast<std::uint32_t>(std::time(nullptr)));
    });
}

bool CrewCreator::exists()
{
    return ProcessWide<CrewCreator>::exists();
}

void CrewCreator::destroy()
{
    ProcessWide<CrewCreator>::destroy();
}

void CrewCreator::install(std::unique_ptr<CrewCreator> creator)
{
    ProcessWide<CrewCreator>::install(std::move(creator));
}

CrewCreator::CrewCreator(CharacterManager::Folders folders, std::uint32_t seed)
    : folders_(std::move(folders))
    , creatorRandom_(seed)
{
    // The first pair of a trait wins: "Weak" answers "Strong", never "Tough".
    const std::pair<const char*, const char*> opposites[] = {
        { "Observant", "Distracted" }, { "Cautious", "Reckless" },  { "Teamworker", "Loner" },
        { "Strong", "Weak" },          { "Tough", "Weak" },         { "Abstemious", "Gluttonous" },
        { "Distracted", "Observant" }, { "Reckless", "Cautious" },  { "Loner", "Teamworker" },
        { "Weak", "Strong" },          { "Weak", "Tough" },         { "Gluttonous", "Abstemious" } };
    for (const auto& [trait, opposite] : opposites)
        traitOpposites_.emplace(trait, opposite);

    TextManager& texts = TextManager::get();
    speciesTextId_ = texts.addText(133, 89, "");
    counterTextId_ = texts.addText(145, 145, "");
    totalTextId_ = texts.addText(89, 193, "15");
    previewNameId_ = texts.addText(458, 103, "");
    previewBiographyId_ = texts.addText(458, 121, "");
    const int traitX[] = { 458, 515, 458, 515 };
    const int traitY[] = { 235, 235, 245, 245 };
    for (std::size_t i = 0; i < 4; ++i)
        previewTraitIds_[i] = texts.addText(traitX[i], traitY[i], "");
    struct Label {
        int x, y;
        const char* text;
    };
    for (const Label& label : { Label{ 56, 175, "MENTAL" }, { 119, 175, "PHYSICAL" }, { 192, 175, "SOCIAL" },
                                { 56, 193, "TOTAL" } })
        labelIds_.push_back(texts.addText(label.x, label.y, label.text));
    for (int id : labelIds_)
        texts.getText(id).setFillColor(green);
    for (int id : { speciesTextId_, counterTextId_, totalTextId_ })
        texts.getText(id).setFillColor(green);
    for (int id : previewTraitIds_)
        texts.getText(id).setFillColor(green);

    layout();

    int shipped = 0;
    portraitList_ = listPortraits(shipped);
    shippedPortraitCount_ = shipped;
    if (!portraitList_.empty())
        loadPortrait(portraitPath(0));
    placeCounter("0 / " + std::to_string(portraitList_.size()));

    names_.loadFile(folders_.assets + "crew_creator/randomNames.json");
}

CrewCreator::~CrewCreator()
{
    if (!TextManager::exists())
        return;
    TextManager& texts = TextManager::get();
    for (int id : labelIds_)
        texts.removeText(id);
    for (int id : { speciesTextId_, counterTextId_, totalTextId_, previewNameId_, previewBiographyId_ })
        texts.removeText(id);
    for (int id : previewTraitIds_)
        texts.removeText(id);
}

void CrewCreator::layout()
{
    place(background_, "deploymanager/deploymanager_bg.png", 0.f, 0.f);
    place(randomBackground_, "crew_creator/crew_creator_random_bg.png", 15.f, 42.f);
    place(editorBackground_, "crew_creator/crew_creator_bg.png", 45.f, 25.f);
    place(leavePanel_, "general/small_panel.png", 15.f, 304.f);
    place(savePanel_, "general/small_panel_2.png", 99.f, 301.f);
    placeButton(randomNameButton_, randomFrames, 22.f, 58.f);
    placeButton(randomPortraitButton_, randomFrames, 22.f, 94.f);
    placeButton(openFolderButton_, "crew_creator/button_open_folder.png", 22.f, 118.f);
    placeButton(refreshButton_, "crew_creator/button_refresh.png", 22.f, 140.f);
    placeButton(randomAttributesButton_, randomFrames, 22.f, 172.f);
    placeButton(randomTraitsButton_, randomFrames, 22.f, 222.f);
    placeButton(clearBiographyButton_, "crew_creator/button_clear.png", 350.f, 180.f);
    placeButton(previousPortrait_, "crewselection_screen/button_arrow_left.png", 70.f, 115.f);
    placeButton(nextPortrait_, "crewselection_screen/button_arrow_right.png", 186.f, 115.f);
    placeButton(saveButton_, "crew_creator/button_save.png", 109.f, 313.f);
    leaveButton_.setTexture(texture(leaveUp));
    leaveButton_.setHighlightTexture(texture("general/button_leave.png_HI"));
    leaveButton_.setPosition(24.f, 312.f);

    randomNameButton_.onClick = [this] {
        pressButton(randomNameButton_, std::string(randomFrames) + "_UP", std::string(randomFrames) + "_DOWN",
                    randomNameRestore_);
        randomName();
        UiHost::get().playSound(clickSound);
    };
    randomPortraitButton_.onClick = [this] {
        pressButton(randomPortraitButton_, std::string(randomFrames) + "_UP", std::string(randomFrames) + "_DOWN",
                    randomPortraitRestore_);
        randomPortrait();
        UiHost::get().playSound(clickSound);
    };
    randomAttributesButton_.onClick = [this] {
        pressButton(randomAttributesButton_, std::string(randomFrames) + "_UP", std::string(randomFrames) + "_DOWN",
                    randomAttributesRestore_);
        randomAttributes();
        UiHost::get().playSound(clickSound);
    };
    randomTraitsButton_.onClick = [this] {
        pressButton(randomTraitsButton_, std::string(randomFrames) + "_UP", std::string(randomFrames) + "_DOWN",
                    randomTraitsRestore_);
        randomTraits();
        UiHost::get().playSound(clickSound);
    };
    openFolderButton_.onClick = [this] {
        UiHost::get().playSound(clickSound);
        pressButton(openFolderButton_, "crew_creator/button_open_folder.png_UP",
                    "crew_creator/button_open_folder.png_DOWN", otherRestores_);
        UiHost::get().openInShell(folders_.charImages);
    };
    refreshButton_.onClick = [this] {
        UiHost::get().playSound(clickSound);
        pressButton(refreshButton_, "crew_creator/button_refresh.png_UP", "crew_creator/button_refresh.png_DOWN",
                    otherRestores_);
        refreshPortraits();
    };
    clearBiographyButton_.onClick = [this] {
        UiHost::get().playSound(biographyField_.content().empty() ? clickSound : dismissSound);
        pressButton(clearBiographyButton_, "crew_creator/button_clear.png_UP", "crew_creator/button_clear.png_DOWN",
                    otherRestores_);
        biographyField_.setText("");
        refreshPreview();
    };
    previousPortrait_.onClick = [this] {
        UiHost::get().playSound(clickSound);
        pressButton(previousPortrait_, "crewselection_screen/button_arrow_left.png_UP",
                    "crewselection_screen/button_arrow_left.png_DOWN", otherRestores_);
        stepPortrait(-1);
    };
    nextPortrait_.onClick = [this] {
        UiHost::get().playSound(clickSound);
        pressButton(nextPortrait_, "crewselection_screen/button_arrow_right.png_UP",
                    "crewselection_screen/button_arrow_right.png_DOWN", otherRestores_);
        stepPortrait(1);
    };
    saveButton_.onClick = [this] {
        UiHost::get().playSound(saveSound);
        pressButton(saveButton_, "crew_creator/button_save.png_UP", "crew_creator/button_save.png_DOWN",
                    otherRestores_);
        showMessage("Saving", false);
        const CharacterDraft::Outcome outcome = saveCharacter();
        showMessage(outcome.message, true);
    };
    leaveButton_.onClick = [this] { leave(); };

    nameField_.nameMode = true;
    nameField_.wrap = true;
    nameField_.setPosition(58.f, 58.f);
    nameField_.setText("Default\nName");

    pronounList_.labelOffsetX = 17.f;
    pronounList_.setToggleTexture(texture("crew_creator/dropdown_wide.png"));
    pronounList_.setPosition(118.f, 62.f);
    pronounList_.setItems(CrewVocabulary::pronounSets());

    place(editorPlatform_, basePlatform, 124.f, 104.f);
    editorPortrait_.setPosition(138.f, 109.f);

    const std::pair<NumberField*, float> attributes[] = { { &mentalField_, 89.f },
                                                          { &physicalField_, 161.f },
                                                          { &socialField_, 223.f } };
    for (const auto& [field, x] : attributes) {
        field->setBackground(texture("crew_creator/text_area_tiny.png"));
        field->setInset(4.f, 1.f);
        field->maxDigits = 2;
        field->maxValue = 10;
        field->setPosition(x, 174.f);
        field->setText("5");
    }

    const float slotX[] = { 62.f, 158.f, 62.f, 158.f };
    const float slotY[] = { 225.f, 225.f, 245.f, 245.f };
    for (int slot = 0; slot < 4; ++slot) {
        Dropdown& list = traitSlot(slot);
        list.labelOffsetX = 20.f;
        list.setPosition(slotX[slot], slotY[slot]);
    }
    traitSlot(0).setItems(CrewVocabulary::professions());
    traitSlot(1).setItems(CrewVocabulary::positiveTraits());
    traitSlot(3).setItems(CrewVocabulary::negativeTraits());
    showSelection(traitSlot(2));
    for (int slot = 0; slot < 4; ++slot)
        traitSlot(slot).onSelect = [this, slot](const std::string&) { onTraitChosen(slot); };

    biographyField_.setBackground(texture("crew_creator/text_area_large.png"));
    biographyField_.setInset(4.f, 2.f);
    biographyField_.multiline = true;
    biographyField_.wrap = true;
    biographyField_.setPosition(253.f, 67.f);

    place(previewPanel_, "general/character_infoscreen.png", 447.f, 90.f);
    place(previewPlatform_, basePlatform, 489.f, 60.f);
    previewPortrait_.setPosition(502.f, 65.f);

    place(cursor_, "crew_creator/fontcursor.png", 0.f, 0.f);
    cursor_.setColor(green);

    const std::pair<Tooltip*, const char*> tips[] = { { &openFolderTip_, "Press to open custom sprite folder" },
                                                      { &refreshTip_, "Press to refresh custom sprites" },
                                                      { &clearTip_, "Press to clear biography" } };
    for (const auto& [tip, text] : tips) {
        tip->setBoxColor(sf::Color(128, 128, 128));
        tip->offsetY = 5.f;
        tip->margin = 5.f;
        tip->setText(text);
    }
}

// --- Portraits ---

std::vector<std::string> CrewCreator::listPortraits(int& shippedCount) const
{
    std::vector<std::string> list = listPngFiles(folders_.assets + charactersFolder);
    shippedCount = static_cast<int>(list.size());
    for (const std::string& name : listPngFiles(folders_.charImages))
        list.push_back(name);
    return list;
}

std::string CrewCreator::portraitPath(int index) const
{
    const std::string& name = portraitList_[static_cast<std::size_t>(index)];
    return (index < shippedPortraitCount_ ? folders_.assets + charactersFolder : folders_.charImages) + name;
}

// A picture that cannot be read leaves the portrait empty (and the file name in the log).
void CrewCreator::loadPortrait(const std::string& path)
{
    portraitImage_ = sf::Image();
    std::string bytes, why;
    if (!readWholeFile(path, bytes)) {
        QV_LOG << "Warning: CrewCreator, could not read the portrait " << path << std::endl;
    } else if (PictureBytes::decode(bytes.data(), bytes.size(), portraitImage_, why)
               != PictureBytes::Result::Decoded) {
        QV_LOG << "Warning: CrewCreator, the portrait " << path << " is not a picture (" << why << ")" << std::endl;
        portraitImage_ = sf::Image();
    }
    if (portraitImage_.getSize().x > 0 && portraitTexture_.loadFromImage(portraitImage_))
        editorPortrait_.setTexture(portraitTexture_, true);
    else
        editorPortrait_.setTextureRect(sf::IntRect());
}

void CrewCreator::placeCentred(int textId, const std::string& text, float centreX, int y)
{
    TextManager& texts = TextManager::get();
    texts.getText(textId).setString(Utf8::toLabel(text));
    const float width = texts.getText(textId).getGlobalBounds().width / texts.getScale();
    texts.setTextPosition(textId, static_cast<int>(centreX - width / 2.f), y);
}

void CrewCreator::placeCounter(const std::string& text)
{
    placeCentred(counterTextId_, text, 145.f, 145);
}

void CrewCreator::showPortrait()
{
    if (portraitList_.empty()) {
        portraitIndex_ = 0;
        placeCounter("0 / 0");
        refreshPreview();
        return;
    }
    portraitIndex_ = std::clamp(portraitIndex_, 0, static_cast<int>(portraitList_.size()) - 1);
    loadPortrait(portraitPath(portraitIndex_));
    placeCounter(std::to_string(portraitIndex_ + 1) + " / " + std::to_string(portraitList_.size()));
    refreshPreview();
}

void CrewCreator::randomPortrait()
{
    const std::uint32_t value = creatorRandom_();
    if (!portraitList_.empty())
        portraitIndex_ = static_cast<int>(value % portraitList_.size());
    showPortrait();
}

void CrewCreator::stepPortrait(int step)
{
    const int count = static_cast<int>(portraitList_.size());
    if (count == 0) {
        showPortrait();
        return;
    }
    portraitIndex_ = (std::clamp(portraitIndex_, 0, count - 1) + step % count + count) % count;
    showPortrait();
}

void CrewCreator::refreshPortraits()
{
    int shipped = 0;
    portraitList_ = listPortraits(shipped);
    shippedPortraitCount_ = shipped;
    const int count = static_cast<int>(portraitList_.size());
    placeCounter(std::to_string(std::min(portraitIndex_ + 1, count)) + " / " + std::to_string(count));
    // A changed user picture shows at once; the species stays until the portrait changes.
    if (portraitIndex_ >= shippedPortraitCount_ && portraitIndex_ < count)
        loadPortrait(portraitPath(portraitIndex_));
    refreshPreview();
}

// --- Species and traits ---

CrewCreator::Species CrewCreator::speciesForPortrait(const std::string& fileName)
{
    if (fileName.find("_cy") != std::string::npos)
        return speciesNamed("Cygen");
    if (fileName.find("_ceph") != std::string::npos)
        return speciesNamed("Cephalopod");
    if (fileName.find("tux") != std::string::npos)
        return speciesNamed("Avian");
    return speciesNamed("Human");
}

CrewCreator::Species CrewCreator::speciesNamed(const std::string& name)
{
    using namespace CrewVocabulary;
    if (name == "Cygen")
        return { "Cygen", &professions(), &negativeTraits() };
    if (name == "Cephalopod")
        return { "Cephalopod", &positiveTraits(), &positiveTraits() };
    if (name == "Avian")
        return { "Avian", &positiveTraits(), &positiveTraits() };
    return { "Human", &professions(), &positiveTraits() };
}

void CrewCreator::showSelection(Dropdown& list)
{
    // With nothing selected the label would keep its last entry; it shows the empty mark.
    if (list.getSelectedIndex() < 0)
        TextManager::get().getText(list.getLabelId()).setString(Dropdown::noSelection);
}

// New entries for a slot; its position stays when the new list has it, otherwise the slot
// takes the first entry (a shorter list never leaves a position past its end).
void CrewCreator::setSlotItems(int slot, const std::vector<std::string>& items)
{
    Dropdown& list = traitSlot(slot);
    list.setItemsKeepingSelection(items);
    if (list.getSelectedIndex() < 0)
        list.selectQuietly(0);
    showSelection(list);
}

void CrewCreator::applySpecies(const Species& species)
{
    setSlotItems(0, *species.slot1);
    setSlotItems(2, *species.slot3);
}

void CrewCreator::selectByNameQuietly(Dropdown& list, const std::string& name)
{
    const std::string wanted = lowerCase(name);
    const std::vector<std::string>& items = list.getItems();
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (lowerCase(items[i]) == wanted) {
            list.selectQuietly(static_cast<int>(i));
            return;
        }
    }
    // A trait this slot does not offer (an older or hand-made file): the first entry.
    if (!items.empty())
        list.selectQuietly(0);
    showSelection(list);
}

void CrewCreator::onTraitChosen(int slot)
{
    const std::string chosen = traitSlot(slot).getSelected();
    const auto opposite = traitOpposites_.find(chosen);
    for (int other = 0; other < 4; ++other) {
        Dropdown& list = traitSlot(other);
        if (other == slot || list.getItems().empty())
            continue;
        const int at = list.getSelectedIndex();
        if (opposite != traitOpposites_.end() && list.getSelected() == opposite->second)
            list.selectQuietly(at == 0 ? 1 : at - 1);
    }
    for (int other = 0; other < 4; ++other) {
        Dropdown& list = traitSlot(other);
        if (other == slot || list.getItems().empty())
            continue;
        const int at = list.getSelectedIndex();
        const int last = static_cast<int>(list.getItems().size()) - 1;
        if (list.getSelected() == chosen)
            list.selectQuietly(at == last ? at - 1 : at + 1);
    }
    refreshPreview();
}

// --- Random parts ---

void CrewCreator::randomName()
{
    const std::vector<std::string>& pronouns = pronounList_.getItems();
    const std::uint32_t value = creatorRandom_();
    if (!pronouns.empty())
        pronounList_.selectQuietly(static_cast<int>(value % pronouns.size()));
    const bool syllables = !nameGeneratorToggle_;
    nameGeneratorToggle_ = !nameGeneratorToggle_;
    const NameGenerator::Name name = syllables
        ? NameGenerator::syllableName(creatorRandom_)
        : names_.listName(creatorRandom_, pronounList_.getSelectedIndex(), nameTaken);
    nameField_.setText(name.first + "\n" + name.last);
    refreshPreview();
}

void CrewCreator::randomAttributes()
{
    for (NumberField* field : { &socialField_, &physicalField_, &mentalField_ })
        field->setText(std::to_string(std::min<std::uint32_t>(creatorRandom_() % 10 + 3, 9)));
    updateTotal();
    refreshPreview();
}

void CrewCreator::randomTraits()
{
    for (int slot = 0; slot < 4; ++slot) {
        Dropdown& list = traitSlot(slot);
        const std::uint32_t value = creatorRandom_();
        if (!list.getItems().empty())
            list.selectQuietly(static_cast<int>(value % list.getItems().size()));
    }
    refreshPreview();
}

int CrewCreator::attributeValue(const NumberField& field) const
{
    // An emptied field counts as 0, in the total and in the file.
    return field.getValue().value_or(0);
}

void CrewCreator::updateTotal()
{
    const int total = attributeValue(mentalField_) + attributeValue(physicalField_) + attributeValue(socialField_);
    TextManager::get().getText(totalTextId_).setString(std::to_string(total));
}

NumberField& CrewCreator::attributeField(const std::string& attribute)
{
    if (attribute == "mental")
        return mentalField_;
    if (attribute == "physical")
        return physicalField_;
    return socialField_;
}

// --- Visits ---

void CrewCreator::reset()
{
    setSlotItems(0, CrewVocabulary::professions());
    setSlotItems(1, CrewVocabulary::positiveTraits());
    setSlotItems(3, CrewVocabulary::negativeTraits());
    pronounList_.setItemsKeepingSelection(CrewVocabulary::pronounSets());
    leaveButton_.setTexture(texture(leaveUp));
    // A visit starts afresh: nothing from an earlier edit may reach this one's save.
    editedCharacter_.reset();
    keepName_ = false;
    done = false;
    focusedField_ = nullptr;
    cursorVisible_ = false;

    randomName();
    randomPortrait();
    randomAttributes();
    update();
    randomTraits();

    auto picker = std::make_unique<CharacterPickerWindowScreen>(*this);
    picker->runOneStep = true;
    WindowManager::get().open(std::move(picker));
}

void CrewCreator::editCharacter(const Character* character, bool keepName)
{
    if (character)
        editedCharacter_ = *character;
    else
        editedCharacter_.reset();
    keepName_ = character && keepName;
    loadIntoEditor();
}

void CrewCreator::loadIntoEditor()
{
    if (!editedCharacter_) {
        randomName();
        randomPortrait();
        randomAttributes();
        randomTraits();
        biographyField_.setText("");
        refreshPreview();
        return;
    }
    Character& character = *editedCharacter_;
    // The raw attributes: an edited file must not take its role bonuses in.
    auto attribute = [&](const char* name) {
        const auto found = character.attributes.find(name);
        return found == character.attributes.end() ? 0 : std::clamp(found->second, 0, 10);
    };
    socialField_.setText(std::to_string(attribute("social")));
    physicalField_.setText(std::to_string(attribute("physical")));
    mentalField_.setText(std::to_string(attribute("mental")));
    updateTotal();

    const std::vector<std::string>& traits = character.traits;
    const std::string species = traits.empty() ? std::string("Human") : traits[0];
    placeCentred(speciesTextId_, species, 145.f, 101);
    applySpecies(speciesNamed(species));
    for (int slot = 0; slot < 4; ++slot) {
        const std::size_t at = static_cast<std::size_t>(slot) + 1;
        if (at < traits.size()) {
            selectByNameQuietly(traitSlot(slot), traits[at]);
        } else if (!traitSlot(slot).getItems().empty()) {
            traitSlot(slot).selectQuietly(0);
        }
    }
    if (character.hasProperty("pronouns"))
        selectByNameQuietly(pronounList_, character.getProperty("pronouns"));

    // The portrait: the file's own picture, else its first sprite. A character without
    // either keeps the portrait shown.
    const std::string firstSprite = character.spriteNames.empty() ? std::string() : character.spriteNames.front();
    if (character.card.hasPortrait()) {
        portraitImage_ = character.card.portraitImage();
    } else if (!firstSprite.empty()) {
        const sf::Texture& sprite = TextureManager::get().getTexture(firstSprite);
        portraitImage_ = sprite.getSize().x > 0 ? sprite.copyToImage() : sf::Image();
        const auto found = std::find(portraitList_.begin(), portraitList_.end(), firstSprite);
        if (found != portraitList_.end()) {
            portraitIndex_ = static_cast<int>(found - portraitList_.begin());
            loadPortrait(portraitPath(portraitIndex_));
        }
    }
    if (portraitImage_.getSize().x > 0 && portraitTexture_.loadFromImage(portraitImage_))
        editorPortrait_.setTexture(portraitTexture_, true);
    const auto listed = std::find(portraitList_.begin(), portraitList_.end(), firstSprite);
    if (listed != portraitList_.end() && !firstSprite.empty()) {
        portraitIndex_ = static_cast<int>(listed - portraitList_.begin());
        placeCounter(std::to_string(portraitIndex_ + 1) + " / " + std::to_string(portraitList_.size()));
    } else {
        portraitIndex_ = std::clamp(portraitIndex_, 0, std::max(0, static_cast<int>(portraitList_.size()) - 1));
        placeCounter("?? / " + std::to_string(portraitList_.size()));
    }
    lastPortraitIndex_ = portraitIndex_;

    if (keepName_) {
        // Shown as the name field shows a typed name: a line for each word.
        std::string name = character.name();
        std::replace(name.begin(), name.end(), ' ', '\n');
        nameField_.setText(name);
    }
    else
        randomName();
    biographyField_.setText(character.history);
    refreshPreview();
}

// --- Saving ---

CharacterDraft CrewCreator::draft()
{
    CharacterDraft draft;
    if (keepName_ && editedCharacter_)
        draft.workshopId = editedCharacter_->steamCharacterID;
    draft.mental = attributeValue(mentalField_);
    draft.physical = attributeValue(physicalField_);
    draft.social = attributeValue(socialField_);
    draft.name = withSpaces(nameField_.content());
    draft.history = withSpaces(biographyField_.content());
    draft.portraitPng = CharacterDraft::pngBytes(portraitImage_);
    draft.pronouns = pronounList_.getSelected();
    draft.traits.push_back(speciesText());
    for (int slot = 0; slot < 4; ++slot)
        draft.traits.push_back(traitSlot(slot).getSelected());
    draft.colour = nameField_.textColour();
    return draft;
}

CharacterDraft::Outcome CrewCreator::saveCharacter()
{
    const std::string ownFile = keepName_ && editedCharacter_ && editedCharacter_->isFromMod
        ? editedCharacter_->filePath
        : std::string();
    CharacterDraft::Outcome outcome = draft().save(folders_.mods, ownFile);
    if (outcome.saved)
        CharacterManager::get().loadAllCharacters();
    return outcome;
}

void CrewCreator::showMessage(const std::string& text, bool closable)
{
    WindowManager::get().showMessage(text, closable);
}

void CrewCreator::leave()
{
    UiHost::get().playSound(leaveSound);
    leaveButton_.setTexture(texture(leaveDown));
    done = true;
}

// --- Steps and events ---

void CrewCreator::update()
{
    if (portraitIndex_ != lastPortraitIndex_) {
        const std::string name = portraitList_.empty()
            ? std::string()
            : portraitList_[static_cast<std::size_t>(std::clamp(portraitIndex_, 0,
                                                               static_cast<int>(portraitList_.size()) - 1))];
        const Species species = speciesForPortrait(name);
        applySpecies(species);
        placeCentred(speciesTextId_, species.name, 145.f, 95);
        lastPortraitIndex_ = portraitIndex_;
    }
    TextManager& texts = TextManager::get();
    if (focusedField_) {
        const sf::Text& text = texts.getText(focusedField_->getTextId());
        const sf::Vector2f end = text.findCharacterPos(text.getString().getSize());
        cursor_.setPosition(std::round(end.x / texts.getScale()), std::round(end.y / texts.getScale()) + 1.f);
        if (cursorVisible_ && cursorCounter_ > 20) {
            cursorVisible_ = false;
            cursorCounter_ = 0;
        } else if (cursorCounter_ > 10) {
            cursorVisible_ = true;
        }
    }
    ++cursorCounter_;
    refreshPreview();
}

void CrewCreator::refreshPreview()
{
    TextManager& texts = TextManager::get();
    if (portraitImage_.getSize().x > 0)
        previewPortrait_.setTexture(portraitTexture_, true);
    else
        previewPortrait_.setTextureRect(sf::IntRect());
    sf::Text& name = texts.getText(previewNameId_);
    name.setString(Utf8::toLabel(withSpaces(nameField_.content())));
    name.setFillColor(nameField_.textColour());
    setContrastOutline(previewNameId_, nameField_.textColour());
    sf::Text& biography = texts.getText(previewBiographyId_);
    biography.setString(Utf8::toLabel(wrapText(withSpaces(biographyField_.content()), 170, -1, false)));
    const bool light = Options::exists() && Options::get().textMode == 2;
    biography.setFillColor(light ? sf::Color(20, 20, 20) : green);
    for (int slot = 0; slot < 4; ++slot)
        texts.getText(previewTraitIds_[static_cast<std::size_t>(slot)])
            .setString(Utf8::toLabel(traitSlot(slot).getSelected()));
}

void CrewCreator::pressButton(Button& button, const std::string& up, const std::string& down,
                              TimedActionGroup& restore)
{
    button.setTexture(texture(down));
    if (&restore != &otherRestores_)
        restore.cancelAll();
    restore.add([&button, up] { button.setTexture(texture(up)); },
                &restore == &otherRestores_ ? restoreDelay : randomRestoreDelay);
}

bool CrewCreator::closeOtherDropdowns(const Dropdown* kept)
{
    bool closed = false;
    for (Dropdown* list : { &traitSlots_[0], &traitSlots_[1], &traitSlots_[2], &traitSlots_[3], &pronounList_ }) {
        if (list != kept && list->isOpen()) {
            list->close();
            closed = true;
        }
    }
    if (closed)
        UiHost::get().playSound(dismissSound);
    return closed;
}

void CrewCreator::mousePressed(float x, float y)
{
    for (Dropdown* list : { &traitSlots_[0], &traitSlots_[1], &traitSlots_[2], &traitSlots_[3], &pronounList_ }) {
        if (list->handleClick(x, y)) {
            closeOtherDropdowns(list);
            return;
        }
    }
    closeOtherDropdowns(nullptr);
    for (TextField* field : { &nameField_, static_cast<TextField*>(&socialField_),
                              static_cast<TextField*>(&physicalField_), static_cast<TextField*>(&mentalField_),
                              &biographyField_ }) {
        if (field->contains(x, y)) {
            focusedField_ = field;
            cursorCounter_ = 0;
        }
    }
    for (Button* button : { &leaveButton_, &saveButton_, &randomNameButton_, &randomPortraitButton_,
                            &clearBiographyButton_, &openFolderButton_, &refreshButton_, &randomAttributesButton_,
                            &randomTraitsButton_, &previousPortrait_, &nextPortrait_ }) {
        if (button->contains(x, y) && button->onClick) {
            button->onClick();
            // The save opens a window, which takes every further event.
            if (WindowManager::get().isOpen() || done)
                return;
        }
    }
}

void CrewCreator::handleEvent(const sf::Event& event, sf::Vector2f pointer)
{
    if (event.type == sf::Event::MouseButtonPressed && event.mouseButton.button == sf::Mouse::Left) {
        mousePressed(pointer.x, pointer.y);
    } else if (event.type == sf::Event::MouseMoved) {
        const std::pair<Button*, Tooltip*> tips[] = { { &openFolderButton_, &openFolderTip_ },
                                                      { &refreshButton_, &refreshTip_ },
                                                      { &clearBiographyButton_, &clearTip_ } };
        for (const auto& [button, tip] : tips) {
            const bool over = button->enabled && button->contains(pointer.x, pointer.y);
            tip->follow(over ? pointer.x : -1.f, over ? pointer.y : -1.f);
            button->setFocus(over);
        }
        for (Button* button : { &randomNameButton_, &randomPortraitButton_, &randomAttributesButton_,
                                &randomTraitsButton_, &previousPortrait_, &nextPortrait_, &saveButton_,
                                &leaveButton_ })
            button->setFocus(button->contains(pointer.x, pointer.y));
    }
    if (focusedField_ && event.type == sf::Event::TextEntered) {
        focusedField_->handleTextEntered(event.text.unicode);
        if (focusedField_ == &mentalField_ || focusedField_ == &physicalField_ || focusedField_ == &socialField_)
            updateTotal();
        refreshPreview();
    }
}

// --- Drawing ---

void CrewCreator::draw(sf::RenderTarget& target)
{
    for (const sf::Sprite* sprite : { &background_, &randomBackground_, &editorBackground_, &leavePanel_, &savePanel_ })
        target.draw(*sprite);
    for (Button* button : { &randomNameButton_, &randomPortraitButton_, &clearBiographyButton_, &openFolderButton_,
                            &refreshButton_, &randomAttributesButton_, &randomTraitsButton_, &previousPortrait_,
                            &nextPortrait_ })
        button->draw(target);
    target.draw(editorPlatform_);
    if (portraitImage_.getSize().x > 0)
        target.draw(editorPortrait_);
    nameField_.draw(target);
    socialField_.draw(target);
    physicalField_.draw(target);
    mentalField_.draw(target);
    biographyField_.draw(target);
    saveButton_.draw(target);
    leaveButton_.draw(target);
    target.draw(previewPanel_);
    target.draw(previewPlatform_);
    if (portraitImage_.getSize().x > 0)
        target.draw(previewPortrait_);
    std::vector<int> ids = { speciesTextId_ };
    ids.insert(ids.end(), labelIds_.begin(), labelIds_.end());
    ids.push_back(totalTextId_);
    ids.push_back(previewNameId_);
    ids.push_back(previewBiographyId_);
    ids.insert(ids.end(), previewTraitIds_.begin(), previewTraitIds_.end());
    ids.push_back(counterTextId_);
    TextManager::get().drawTexts(ids, target);
    pronounList_.draw(target);
    for (int slot = 3; slot >= 0; --slot)
        traitSlot(slot).draw(target);
    if (cursorVisible_ && focusedField_)
        target.draw(cursor_);
    openFolderTip_.draw(target);
    refreshTip_.draw(target);
    clearTip_.draw(target);
}

// --- Queries ---

std::string CrewCreator::speciesText() const
{
    return Utf8::fromLabel(TextManager::get().getText(speciesTextId_).getString());
}

std::string CrewCreator::counterText() const
{
    return Utf8::fromLabel(TextManager::get().getText(counterTextId_).getString());
}

std::string CrewCreator::totalText() const
{
    return Utf8::fromLabel(TextManager::get().getText(totalTextId_).getString());
}

std::string CrewCreator::previewName() const
{
    return Utf8::fromLabel(TextManager::get().getText(previewNameId_).getString());
}
