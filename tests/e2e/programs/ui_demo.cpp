// Draws the interface toolkit in a real window: a rich text with coloured spans, a wrapped
// paragraph, sprite buttons (normal, focused, attention), text buttons, and an error window
// over them; then saves the window's picture to the PNG path given as the only argument.
// The pictures it needs are drawn into a private assets folder first.

#include "core/TextFunctions.hpp"
#include "support/DemoStage.hpp"
#include "ui/Button.hpp"
#include "ui/ColorMarkup.hpp"
#include "ui/TextManager.hpp"
#include "ui/TextureManager.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics.hpp>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

void save(const sf::Image& image, const std::string& path)
{
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    image.saveToFile(path);
}

void solid(const std::string& path, unsigned w, unsigned h, sf::Color fill, sf::Color border)
{
    sf::Image image;
    image.create(w, h, fill);
    for (unsigned x = 0; x < w; ++x) {
        image.setPixel(x, 0, border);
        image.setPixel(x, h - 1, border);
    }
    for (unsigned y = 0; y < h; ++y) {
        image.setPixel(0, y, border);
        image.setPixel(w - 1, y, border);
    }
    save(image, path);
}

// A button sheet: Up, Down and a 2-pixel-larger highlight frame stacked vertically.
void sheet(const std::string& path, unsigned w, unsigned h, sf::Color up)
{
    sf::Image image;
    image.create(w + 2, 3 * h + 2, sf::Color::Transparent);
    for (unsigned y = 0; y < h; ++y)
        for (unsigned x = 0; x < w; ++x) {
            const bool edge = x == 0 || y == 0 || x == w - 1 || y == h - 1;
            image.setPixel(x + 2, y, edge ? sf::Color::White : up);
            image.setPixel(x + 2, y + h, edge ? sf::Color::White : sf::Color(up.r / 2, up.g / 2, up.b / 2));
        }
    for (unsigned y = 0; y < h + 2; ++y)
        for (unsigned x = 0; x < w + 2; ++x)
            image.setPixel(x, 2 * h + y, sf::Color(60, 60, 60));
    save(image, path);
}

void drawPictures(const std::string& root)
{
    sf::Image blackout;
    blackout.create(640, 360, sf::Color(0, 0, 0, 150));
    save(blackout, root + "menu_popup/blackout_wholescreen.png");
    solid(root + "general/small_panel_4.png", 260, 110, sf::Color(20, 30, 60), sf::Color(0, 255, 0));
    solid(root + "general/small_panel_3.png", 220, 90, sf::Color(20, 30, 60), sf::Color(0, 255, 0));
    solid(root + "options_screen/file_button.png", 16, 16, sf::Color(185, 128, 0), sf::Color::White);
    sheet(root + "menu_popup/button_resume.png", 64, 18, sf::Color(0, 120, 200));
    sheet(root + "general/button_leave.png", 50, 24, sf::Color(0, 120, 200));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: ui_demo <screenshot.png> [assets folder]" << std::endl;
        return 2;
    }
    // Plain stand-in pictures keep the checked colours stable; with an assets folder the demo
    // shows the game's own pictures instead, for looking at.
    std::string root = std::filesystem::temp_directory_path().string() + "/qv-ui-demo-"
                       + std::to_string(static_cast<long>(getpid())) + "/";
    if (argc == 3)
        root = std::string(argv[2]) + "/";
    else
        drawPictures(root);

    DemoStage stage("ui demo", root, true);
    TextureManager& textures = TextureManager::get();
    TextManager& texts = TextManager::get();
    {
    // Rich text with coloured spans.
    const int title = texts.addRichText(12.f, 20, 14);
    appendColorMarkup(texts.getRichText(title),
                      "Crew: <c=255,64,64>Rhea</c>, <c=64,160,255>Okonkwo</c> and <c=20,20,20>Vale</c>"
                      " \xe2\x80\x94 \xe2\x80\x9c" "Caf\xc3\xa9 at dawn\xe2\x80\xa6\xe2\x80\x9d",
                      sf::Color(0, 255, 0), 0);

    // A wrapped paragraph.
    const std::string paragraph =
        "The ship drifts past the rim of the sector. <c=255,64,64>Rhea</c> watches the fuel gauge while "
        "<c=64,160,255>Okonkwo</c> counts the sleepers twice, then a third time, because the numbers no "
        "longer agree with the manifest and nobody remembers why.";
    const int body = texts.addRichText(-1.f, 20, 40);
    appendColorMarkup(texts.getRichText(body), wrapText(paragraph, 300), amberColor, 1);

    // Sprite buttons: normal, focused with highlight, attention.
    Button normal, focused, glowing;
    Button* sprites[] = {&normal, &focused, &glowing};
    for (int i = 0; i < 3; ++i) {
        sprites[i]->setTexture(textures.getTexture("general/button_leave.png_Up"));
        sprites[i]->setHighlightTexture(textures.getTexture("general/button_leave.png_HI"));
        sprites[i]->setPosition(400.f + 70.f * static_cast<float>(i), 40.f);
    }
    focused.setFocus(true);
    glowing.attention = true;

    // Text buttons.
    Button yes, no;
    yes.setText("1. Wake the crew");
    no.setText("2. Let them sleep");
    for (Button* b : {&yes, &no}) {
        b->getBackground().setFillColor(sf::Color(0, 0, 0, 0));
        texts.getText(b->getLabelId()).setFillColor(sf::Color(16, 101, 192));
    }
    yes.setPosition(20.f, 300.f);
    no.setPosition(20.f, 315.f);
    no.enabled = false;
    texts.getText(no.getLabelId()).setFillColor(sf::Color(8, 50, 96));

    // A long script error with its traceback: wrapped to the panel and cut above the buttons.
    WindowManager::get().showError(
        "lua: error: [string \"missions/lua/relay.lua\"]:42: attempt to index a nil value (field 'crew') while "
        "handing the relay keepsake to the engineer\nstack traceback:\n\t[C]: in function 'error'\n\t"
        "missions/lua/relay.lua:42: in function 'give'\n\tmissions/lua/relay.lua:7: in main chunk");
    WindowManager::get().fixedStep();

    const sf::Image shot = stage.capture(
        [&](sf::RenderWindow& window) {
            texts.drawRichTexts({title, body}, window);
            for (Button* b : {&normal, &focused, &glowing, &yes, &no})
                b->draw(window);
            WindowManager::get().draw(window);
        },
        sf::Color(10, 10, 20));
    save(shot, argv[1]);
    } // the buttons go before the managers

    WindowManager::destroy(); // before the stage releases the text manager
    if (argc == 2) // only the stand-ins this demo drew itself
        std::filesystem::remove_all(root);
    return 0;
}
