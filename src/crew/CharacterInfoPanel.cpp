#include "crew/CharacterInfoPanel.hpp"

#include "core/TextFunctions.hpp"
#include "crew/CrewVocabulary.hpp"
#include "missions/Memento.hpp"
#include "persistence/Options.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>

namespace {

const char* const roleLabels[] = { "Leader", "Medic", "Engineer" };
const char* const fullPip = "deploymanager/experience_pip_full.png";
const char* const emptyPip = "deploymanager/experience_pip_empty.png";
constexpr int lightTextMode = 2;

sf::Color historyColour()
{
    bool light = Options::exists() && Options::get().textMode == lightTextMode;
    return light ? sf::Color(12, 12, 12) : sf::Color(0, 255, 0);
}

} // namespace

CharacterInfoPanel::~CharacterInfoPanel()
{
    if (!TextManager::exists())
        return;
    TextManager& texts = TextManager::get();
    for (int id : traitTexts_)
        texts.removeText(id);
    for (int id : { nameText_, historyText_, labels_[0], labels_[1], labels_[2] })
        if (id >= 0 && texts.hasText(id))
            texts.removeText(id);
}

void CharacterInfoPanel::ensureTexts()
{
    TextManager& texts = TextManager::get();
    if (nameText_ < 0 || !texts.hasText(nameText_))
        nameText_ = texts.addText(0, 0, "");
    if (historyText_ < 0 || !texts.hasText(historyText_))
        historyText_ = texts.addText(0, 0, "");
    for (std::size_t k = 0; k < labels_.size(); ++k)
        if (labels_[k] < 0 || !texts.hasText(labels_[k]))
            labels_[k] = texts.addText(0, 0, roleLabels[k]);
}

void CharacterInfoPanel::clear()
{
    if (!TextManager::exists())
        return;
    TextManager& texts = TextManager::get();
    if (nameText_ >= 0 && texts.hasText(nameText_))
        texts.getText(nameText_).setString("");
    if (historyText_ >= 0 && texts.hasText(historyText_))
        texts.getText(historyText_).setString("");
    for (int id : traitTexts_)
        texts.removeText(id);
    traitTexts_.clear();
    pips_.clear();
    experienceShown_ = false;
    portraitShown_ = false;
}

void CharacterInfoPanel::show(TextureManager& textures, float x, float y, Character& character, bool withExperience)
{
    clear();
    ensureTexts();
    TextManager& texts = TextManager::get();
    const int left = static_cast<int>(x);
    const int top = static_cast<int>(y);

    std::string name = character.name();
    if (character.isDead)
        name += " (dead)";
    texts.getText(nameText_).setString(Utf8::toLabel(name));
    texts.getText(nameText_).setFillColor(character.color);
    texts.setTextPosition(nameText_, left, top);

    if (const sf::Texture* face = character.card.faceTexture(textures)) {
        portrait_.setTexture(*face, true);
        portrait_.setPosition(x + 43.f, y - 38.f);
        portraitShown_ = true;
    }

    texts.getText(historyText_).setString(Utf8::toLabel(wrapText(character.history, historyWidth)));
    texts.getText(historyText_).setFillColor(historyColour());
    texts.setTextPosition(historyText_, left, top + 18);

    // The first trait is the species the creator writes; any species among the rest is
    // left out too.
    int shown = 0;
    for (std::size_t k = 1; k < character.traits.size(); ++k) {
        const std::string& trait = character.traits[k];
        if (CrewVocabulary::isSpecies(trait))
            continue;
        traitTexts_.push_back(texts.addText(left + 57 * (shown % 2), top + 132 + 10 * (shown / 2), trait));
        ++shown;
    }

    experienceShown_ = withExperience;
    if (withExperience) {
        const std::uint32_t times[] = { character.timesLeader, character.timesMedic, character.timesEngineer };
        for (std::size_t role = 0; role < labels_.size(); ++role) {
            const int labelY = top + 161 + 10 * static_cast<int>(role);
            texts.setTextPosition(labels_[role], left, labelY);
            for (std::uint32_t pip = 0; pip < 4; ++pip) {
                sf::Sprite sprite(textures.getTexture(pip < times[role] ? fullPip : emptyPip));
                sprite.setPosition(x + 57.f + 10.f * static_cast<float>(pip), static_cast<float>(labelY + 3));
                pips_.push_back(sprite);
            }
        }
    }
}

void CharacterInfoPanel::draw(sf::RenderTarget& target) const
{
    if (portraitShown_)
        target.draw(portrait_);
    for (const sf::Sprite& pip : pips_)
        target.draw(pip);
    if (nameText_ < 0)
        return;
    std::vector<int> ids = { nameText_, historyText_ };
    ids.insert(ids.end(), traitTexts_.begin(), traitTexts_.end());
    if (experienceShown_)
        ids.insert(ids.end(), labels_.begin(), labels_.end());
    TextManager::get().drawTexts(ids, target);
}

int CharacterInfoPanel::mementoAt(const Character& character, int page, sf::Vector2f origin, sf::Vector2f point)
{
    if (page < 0)
        return -1;
    const std::size_t first = static_cast<std::size_t>(page) * pageSize;
    const std::size_t end = std::min(character.mementos.size(), first + pageSize);
    for (std::size_t k = first; k < end; ++k) {
        const int cell = static_cast<int>(k - first);
        const float left = origin.x + Memento::cellSize * static_cast<float>(cell % gridColumns);
        const float top = origin.y + Memento::cellSize * static_cast<float>(cell / gridColumns);
        if (point.x >= left && point.x < left + Memento::cellSize && point.y >= top
            && point.y < top + Memento::cellSize)
            return static_cast<int>(k);
    }
    return -1;
}

void CharacterInfoPanel::drawMementoGrid(sf::RenderTarget& target, Character& character, int page,
                                         sf::Vector2f origin, int hovered)
{
    if (page < 0)
        return;
    const std::size_t first = static_cast<std::size_t>(page) * pageSize;
    const std::size_t end = std::min(character.mementos.size(), first + pageSize);
    for (std::size_t k = first; k < end; ++k) {
        const int cell = static_cast<int>(k - first);
        sf::Vector2f position(origin.x + Memento::cellSize * static_cast<float>(cell % gridColumns),
                              origin.y + Memento::cellSize * static_cast<float>(cell / gridColumns));
        if (static_cast<int>(k) == hovered)
            position.y -= 3.f;
        character.mementos[k]->drawCell(target, position);
    }
}
