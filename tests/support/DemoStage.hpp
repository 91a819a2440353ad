#pragma once

#include "core/Logger.hpp"
#include "support/QuietUiHost.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/UiHost.hpp"

#include <SFML/Graphics/Image.hpp>
#include <SFML/Graphics/RenderWindow.hpp>
#include <SFML/Graphics/Texture.hpp>
#include <SFML/Graphics/View.hpp>

#include <functional>
#include <string>

// What every demo program does around its scene: a 1280 x 720 window, twice the logical
// 640 x 360, with the quiet UI host drawing texts through the pixel view at interface scale
// 2 and the texture registry over `assets`; the scene drawn for three frames and the last
// one kept as the screenshot; and at the end the toolkit released and the log closed, as
// the game signs off. Objects holding labels or textures must go before the stage does.
class DemoStage {
public:
    DemoStage(const char* title, const std::string& assets, bool startupSet = false)
        : window(sf::VideoMode(1280, 720), title, sf::Style::Titlebar)
        , host(pixelView)
    {
        UiHost::install(&host);
        TextManager::get().setScale(2.f);
        TextureManager::resetForTests(assets, startupSet);
    }
    ~DemoStage()
    {
        TextureManager::destroy();
        TextManager::destroy();
        UiHost::install(nullptr);
        Logger::close(); // the log must not be flushed during static clean-up
    }
    DemoStage(const DemoStage&) = delete;
    DemoStage& operator=(const DemoStage&) = delete;

    // Clears to `background`, sets the game view and draws `scene`, three times; the last
    // frame is the picture.
    sf::Image capture(const std::function<void(sf::RenderWindow&)>& scene, sf::Color background = sf::Color::Black)
    {
        sf::Texture shot;
        for (int frame = 0; frame < 3; ++frame) {
            window.clear(background);
            window.setView(gameView);
            scene(window);
            if (frame == 2) {
                shot.create(window.getSize().x, window.getSize().y);
                shot.update(window);
            }
            window.display();
        }
        return shot.copyToImage();
    }

    sf::RenderWindow window;
    const sf::View gameView{ sf::FloatRect(0.f, 0.f, 640.f, 360.f) };
    const sf::View pixelView{ sf::FloatRect(0.f, 0.f, 1280.f, 720.f) };
    QuietUiHost host;
};
