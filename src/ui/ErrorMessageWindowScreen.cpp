#include "ui/ErrorMessageWindowScreen.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/TextFunctions.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"
#include "ui/Utf8.hpp"

#include <SFML/Graphics/RenderTarget.hpp>

#include <algorithm>
#include <cmath>

namespace {

// The message fills the panel between these, in logical units: from its margins, and from
// its top line down to just above the "Open log" row.
constexpr float panelMargin = 12.f;
constexpr float messageTop = 155.f;
constexpr float messageBottom = 206.f;
// Only the first few lines can be shown; wrapping more of a very long text is wasted work.
constexpr std::size_t shownBytes = 600;

} // namespace

ErrorMessageWindowScreen::ErrorMessageWindowScreen(const std::string& text)
    : BasicMessageWindowScreen(text)
    , openLogLabelId(TextManager::get().addRichText(-1.f, 0, 0))
{
    setPanel("general/small_panel_4.png");
    setMessage(fitToPanel(text));
    openLogButton.setTexture(TextureManager::get().getTexture("options_screen/file_button.png"));
    openLogButton.setPosition(340.f, 208.f);

    TextManager& texts = TextManager::get();
    sfe::RichText& label = texts.getRichText(openLogLabelId);
    label << sf::Color(0, 255, 0) << Utf8::toLabel("Open log");
    const float width = label.getGlobalBounds().width;
    texts.setRichTextPosition(openLogLabelId, static_cast<int>(340.f - width / texts.getScale() - 6.f), 208);
}

std::string ErrorMessageWindowScreen::fitToPanel(const std::string& text)
{
    std::size_t end = 0;
    while (end < text.size() && end < shownBytes)
        Utf8::next(text, end);
    const float panelWidth = panel.getGlobalBounds().width > 0.f ? panel.getGlobalBounds().width : 240.f;
    const std::string wrapped = wrapText(text.substr(0, end), static_cast<int>(panelWidth - 2.f * panelMargin), -1, false);

    TextManager& texts = TextManager::get();
    const float lineHeight =
        std::floor(UiHost::get().gameFont().getLineSpacing(texts.characterSize(-1.f))) / texts.getScale();
    const std::size_t maxLines =
        lineHeight > 0.f ? std::max<std::size_t>(1, static_cast<std::size_t>((messageBottom - messageTop) / lineHeight)) : 1;
    std::vector<std::string> lines = split(wrapped, '\n');
    if (lines.size() <= maxLines && end == text.size())
        return wrapped;
    lines.resize(std::min(lines.size(), maxLines - 1));
    lines.push_back("...");
    std::string fitted;
    for (std::size_t i = 0; i < lines.size(); ++i)
        fitted += (i == 0 ? "" : "\n") + lines[i];
    return fitted;
}

ErrorMessageWindowScreen::~ErrorMessageWindowScreen()
{
    if (TextManager::exists())
        TextManager::get().removeRichText(openLogLabelId);
}

void ErrorMessageWindowScreen::draw(sf::RenderTarget& target)
{
    BasicMessageWindowScreen::draw(target);
    TextManager::get().drawRichTexts({openLogLabelId}, target);
    openLogButton.draw(target);
}

void ErrorMessageWindowScreen::handleEvent(const sf::Event& event, sf::RenderTarget& window, const sf::View& view)
{
    WindowScreen::handleEvent(event, window, view);
    sf::Vector2f position;
    if (isLeftPress(event) && pointerPosition(event, window, view, position)
        && openLogButton.contains(position.x, position.y)) {
        UiHost& host = UiHost::get();
        host.playSound("button_click.wav");
        host.openInShell(Logger::path());
        host.refreshOptionsScreen();
    }
    if (closed)
        UiHost::get().requestTitle();
}
