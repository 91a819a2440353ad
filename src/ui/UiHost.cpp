#include "ui/UiHost.hpp"

#include "core/FileUtils.hpp"
#include "core/Logger.hpp"
#include "core/TextFunctions.hpp"

#include <atomic>

namespace {

// Quiet defaults for start-up code and tests: the game font from the assets folder,
// the usual default size, a 640 x 360 pixel view, no sounds, and the desktop's own handler.
class FallbackHost : public UiHost {
public:
    const sf::Font& gameFont() override
    {
        if (!tried_) {
            tried_ = true;
            std::string path = assetsPath() + "fonts/monofur.ttf";
            if (!font_.loadFromFile(path))
                QV_LOG << "Warning: UiHost::gameFont, no game font at " << path << std::endl;
        }
        return font_;
    }
    float defaultTextSize() override { return 7.5f; }
    const sf::View& interfaceView() override { return view_; }
    void playSound(const std::string&) override {}
    void openInShell(const std::string& target) override { ::openInShell(target); }
    void requestTitle() override {}
    void refreshOptionsScreen() override {}

private:
    sf::Font font_;
    bool tried_ = false;
    sf::View view_{sf::FloatRect(0.f, 0.f, 640.f, 360.f)};
};

std::atomic<UiHost*>& installed()
{
    static std::atomic<UiHost*> host{nullptr};
    return host;
}

} // namespace

const sf::Font* UiHost::previewFont(const std::string&)
{
    return nullptr;
}

sf::Color UiHost::nameColour(const std::string& name)
{
    return fallbackColor(name, {});
}

UiHost& UiHost::get()
{
    if (UiHost* host = installed().load())
        return *host;
    static FallbackHost fallback;
    return fallback;
}

void UiHost::install(UiHost* host)
{
    installed().store(host);
}
