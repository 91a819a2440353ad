#include "ui/TextManager.hpp"

#include "core/Logger.hpp"
#include "core/ProcessWide.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

TextManager& TextManager::get()
{
    return ProcessWide<TextManager>::get();
}

bool TextManager::exists()
{
    return ProcessWide<TextManager>::exists();
}

void TextManager::destroy()
{
    ProcessWide<TextManager>::destroy();
}

TextManager::TextManager()
    : emptyRichText_(UiHost::get().gameFont())
{
    emptyText_.setFont(UiHost::get().gameFont());
    emptyText_.setCharacterSize(0);
    emptyRichText_.setCharacterSize(0);
}

int TextManager::place(int logical) const
{
    const float scaled = scale_ * static_cast<float>(logical);
    return static_cast<int>(scaled >= 0.f ? scaled + 0.5f : scaled - 0.5f);
}

unsigned TextManager::characterSize(float size) const
{
    const float base = size == -1.f ? UiHost::get().defaultTextSize() : size;
    const float scaled = scale_ * base + 0.5f;
    return scaled > 0.f ? static_cast<unsigned>(scaled) : 0u;
}

template <typename Entry>
void TextManager::apply(Entry& entry)
{
    entry.placedX = place(entry.x);
    entry.placedY = place(entry.y);
    entry.text.setCharacterSize(characterSize(entry.size));
    entry.text.setPosition(static_cast<float>(entry.placedX), static_cast<float>(entry.placedY));
}

int TextManager::addText(int x, int y, const std::string& string, float size)
{
    TextEntry entry;
    entry.size = size;
    entry.x = x;
    entry.y = y;
    entry.text.setFont(UiHost::get().gameFont());
    entry.text.setString(Utf8::toLabel(string));
    apply(entry);
    const int id = nextId_++;
    texts_.emplace(id, std::move(entry));
    return id;
}

int TextManager::addRichText(float size, int x, int y)
{
    RichTextEntry entry;
    entry.size = size;
    entry.x = x;
    entry.y = y;
    entry.text.setFont(UiHost::get().gameFont());
    apply(entry);
    const int id = nextId_++;
    richTexts_.emplace(id, std::move(entry));
    return id;
}

sf::Text& TextManager::getText(int id)
{
    auto found = texts_.find(id);
    if (found == texts_.end()) {
        QV_LOG << "Unable to find text with id " << id << ". Returning empty Text object." << std::endl;
        emptyText_ = sf::Text();
        emptyText_.setFont(UiHost::get().gameFont());
        emptyText_.setCharacterSize(0);
        return emptyText_;
    }
    return found->second.text;
}

sfe::RichText& TextManager::getRichText(int id)
{
    auto found = richTexts_.find(id);
    if (found == richTexts_.end()) {
        QV_LOG << "Unable to find rich text with id " << id << ". Returning empty Rich Text object." << std::endl;
        emptyRichText_ = sfe::RichText(UiHost::get().gameFont());
        emptyRichText_.setCharacterSize(0);
        return emptyRichText_;
    }
    return found->second.text;
}

void TextManager::setTextSize(int id, float size)
{
    auto found = texts_.find(id);
    if (found == texts_.end()) {
        QV_LOG << "Unable to find text with id " << id << ". Not setting size." << std::endl;
        return;
    }
    found->second.size = size;
    apply(found->second);
}

void TextManager::setRichTextSize(int id, float size)
{
    auto found = richTexts_.find(id);
    if (found == richTexts_.end()) {
        QV_LOG << "Unable to find text with id " << id << ". Not setting size." << std::endl;
        return;
    }
    found->second.size = size;
    apply(found->second);
}

void TextManager::setTextPosition(int id, int x, int y)
{
    auto found = texts_.find(id);
    if (found == texts_.end()) {
        QV_LOG << "Unable to find text with id " << id << ". Not setting position." << std::endl;
        return;
    }
    found->second.x = x;
    found->second.y = y;
    apply(found->second);
}

void TextManager::setRichTextPosition(int id, int x, int y)
{
    auto found = richTexts_.find(id);
    if (found == richTexts_.end()) {
        QV_LOG << "Unable to find rich text with id " << id << ". Not setting position." << std::endl;
        return;
    }
    found->second.x = x;
    found->second.y = y;
    apply(found->second);
}

void TextManager::removeText(int id)
{
    if (texts_.erase(id) == 0)
        QV_LOG << "Unable to find text with id " << id << ". Not removing." << std::endl;
}

void TextManager::removeRichText(int id)
{
    if (richTexts_.erase(id) == 0)
        QV_LOG << "Unable to find rich text with id " << id << ". Not removing." << std::endl;
}

void TextManager::drawTexts(const std::vector<int>& ids, sf::RenderTarget& target, const sf::RenderStates& states,
                            const sf::View* view)
{
    const sf::View previous = target.getView();
    target.setView(view ? *view : UiHost::get().interfaceView());
    for (int id : ids) {
        auto found = texts_.find(id);
        if (found == texts_.end())
            QV_LOG << "Unable to find text with id " << id << ". Not drawing." << std::endl;
        else
            target.draw(found->second.text, states);
    }
    target.setView(previous);
}

void TextManager::drawRichTexts(const std::vector<int>& ids, sf::RenderTarget& target, const sf::RenderStates& states,
                                const sf::View* view)
{
    const sf::View previous = target.getView();
    target.setView(view ? *view : UiHost::get().interfaceView());
    for (int id : ids) {
        auto found = richTexts_.find(id);
        if (found == richTexts_.end())
            QV_LOG << "Unable to find text with id " << id << ". Not drawing." << std::endl;
        else
            target.draw(found->second.text, states);
    }
    target.setView(previous);
}

void TextManager::refreshAll()
{
    for (auto& [id, entry] : texts_)
        apply(entry);
    for (auto& [id, entry] : richTexts_)
        apply(entry);
}
