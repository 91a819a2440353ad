#include "support/UiTestSupport.hpp"
#include "ui/BasicMessageWindowScreen.hpp"
#include "ui/ErrorMessageWindowScreen.hpp"
#include "ui/WindowManager.hpp"

#include <SFML/Graphics/RenderTexture.hpp>

#include <atomic>
#include <thread>

namespace {

class WindowManagerTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        writeImage(assets + "menu_popup/blackout_wholescreen.png", 640, 360, sf::Color(0, 0, 0, 128));
        writeImage(assets + "general/small_panel_3.png", 200, 80, sf::Color(40, 40, 90));
        writeImage(assets + "general/small_panel_4.png", 240, 100, sf::Color(90, 40, 40));
        writeImage(assets + "options_screen/file_button.png", 16, 16, sf::Color::White);
        writeButtonSheet(assets + "menu_popup/button_resume.png", 64, 18, sf::Color(0, 0, 200), sf::Color(0, 0, 100),
                         sf::Color(50, 50, 50));
        TextureManager::resetForTests(assets, true);
        ASSERT_TRUE(target.create(640, 360));
    }

    sf::Event press(int x, int y)
    {
        sf::Event event;
        event.type = sf::Event::MouseButtonPressed;
        event.mouseButton.button = sf::Mouse::Left;
        event.mouseButton.x = x;
        event.mouseButton.y = y;
        return event;
    }
    void click(int x, int y) { WindowManager::get().handleEvent(press(x, y), target, view); }

    sf::RenderTexture target;
    sf::View view{sf::FloatRect(0.f, 0.f, 640.f, 360.f)};
};

} // namespace

TEST_F(WindowManagerTest, AMessageLetsExactlyOneMoreStepRun)
{
    WindowManager& windows = WindowManager::get();
    EXPECT_TRUE(windows.fixedStep());
    windows.showMessage("Saved", true);
    EXPECT_TRUE(windows.fixedStep());
    EXPECT_FALSE(windows.fixedStep());
    EXPECT_FALSE(windows.fixedStep());

    // A window opened directly (the sector summary's way) freezes the game at once.
    windows.open(std::make_unique<BasicMessageWindowScreen>("summary"));
    EXPECT_FALSE(windows.fixedStep());
}

TEST_F(WindowManagerTest, TheCloseButtonShowsItsPressedFrameAndTheWindowGoesAtTheNextStep)
{
    WindowManager& windows = WindowManager::get();
    windows.showMessage("Saved", true);
    Button& close = windows.current()->getCloseButton();
    click(320, 258);
    EXPECT_EQ(close.getSprite().getTexture(), &TextureManager::get().getTexture("menu_popup/button_resume.png_DOWN"));
    EXPECT_EQ(host.sounds, std::vector<std::string>{"deploy_leave_1.wav"});
    ASSERT_TRUE(windows.isOpen());
    EXPECT_TRUE(windows.current()->closed);
    windows.fixedStep();
    EXPECT_FALSE(windows.isOpen());
}

TEST_F(WindowManagerTest, AWindowThatIsNotClosableIgnoresClicksAndHidesItsButton)
{
    WindowManager& windows = WindowManager::get();
    windows.showMessage("Saving", false);
    click(320, 258);
    windows.fixedStep();
    ASSERT_TRUE(windows.isOpen());
    EXPECT_TRUE(host.sounds.empty());

    target.clear(sf::Color::Black);
    windows.draw(target);
    target.display();
    const sf::Image shot = target.getTexture().copyToImage();
    EXPECT_EQ(shot.getPixel(320, 258).b, 0); // no blue close button
    // Replacing it with a closable one brings the button.
    windows.showMessage("Saved", true);
    target.clear(sf::Color::Black);
    windows.draw(target);
    target.display();
    EXPECT_EQ(target.getTexture().copyToImage().getPixel(320, 258), sf::Color(0, 0, 200));
}

TEST_F(WindowManagerTest, ANewWindowReplacesTheOpenOneAndItsTexts)
{
    WindowManager& windows = WindowManager::get();
    windows.showMessage("first", true);
    const int firstText = static_cast<BasicMessageWindowScreen*>(windows.current())->getMessageTextId();
    windows.showError("second");
    auto* error = dynamic_cast<ErrorMessageWindowScreen*>(windows.current());
    ASSERT_NE(error, nullptr);
    EXPECT_FALSE(TextManager::get().hasRichText(firstText));
    EXPECT_TRUE(TextManager::get().hasRichText(error->getMessageTextId()));
    EXPECT_TRUE(TextManager::get().hasRichText(error->getOpenLogLabelId()));

    // The message is centred on x = 320 as one block.
    const sfe::RichText& message = TextManager::get().getRichText(error->getMessageTextId());
    EXPECT_NEAR(message.getPosition().x + message.getGlobalBounds().width / 2.f, 320.f, 1.f);
    EXPECT_EQ(message.getPosition().y, 155.f);

    const int label = error->getOpenLogLabelId();
    windows.close();
    EXPECT_FALSE(TextManager::get().hasRichText(label));
}

TEST_F(WindowManagerTest, TheErrorWindowOpensTheLogAsOftenAsAskedAndClosesToTheTitle)
{
    WindowManager& windows = WindowManager::get();
    windows.showError("attempt to call a nil value");
    for (int i = 0; i < 3; ++i)
        click(348, 216);
    ASSERT_TRUE(windows.isOpen());
    EXPECT_EQ(host.opened, std::vector<std::string>(3, Logger::path()));
    EXPECT_EQ(host.optionRefreshes, 3);
    EXPECT_EQ(host.titleRequests, 0);

    click(320, 258);
    EXPECT_EQ(host.titleRequests, 1);
    sf::Event moved;
    moved.type = sf::Event::MouseMoved;
    moved.mouseMove.x = 5;
    moved.mouseMove.y = 5;
    windows.handleEvent(moved, target, view); // every later event repeats the request
    EXPECT_EQ(host.titleRequests, 2);
    windows.fixedStep();
    EXPECT_FALSE(windows.isOpen());
}

// A long script error stays on its 240-unit panel: wrapped to it, and cut off with "..."
// above the "Open log" row rather than running over the buttons.
TEST_F(WindowManagerTest, TheErrorTextIsWrappedToThePanelAndCutAboveTheButtons)
{
    const std::string error = "lua: error: [string \"missions/lua/relay.lua\"]:42: attempt to index a nil value "
                              "(field 'crew') while handing the relay keepsake to the engineer";
    std::string traceback = error + "\nstack traceback:";
    for (int i = 0; i < 20; ++i)
        traceback += "\n\t[C]: in function 'step" + std::to_string(i) + "'";
    for (const std::string& text : {error, traceback}) {
        WindowManager::get().showError(text);
        auto* window = static_cast<ErrorMessageWindowScreen*>(WindowManager::get().current());
        const sfe::RichText& message = TextManager::get().getRichText(window->getMessageTextId());
        const sf::FloatRect bounds = message.getGlobalBounds();
        EXPECT_GT(message.getLines().size(), 2u);
        EXPECT_GE(bounds.left, 200.f) << text;
        EXPECT_LE(bounds.left + bounds.width, 440.f) << text;
        EXPECT_LE(bounds.top + bounds.height, 208.f) << text;
        const bool cut = message.getLines().back().getTexts().back().getString() == "...";
        EXPECT_EQ(cut, text == traceback);
    }
}

TEST_F(WindowManagerTest, ErrorsFromAnotherThreadWaitForTheNextFixedStep)
{
    WindowManager& windows = WindowManager::get();
    windows.showMessage("underneath", true);
    std::atomic<bool> done{false};
    std::thread script([&] {
        for (int i = 0; i < 200; ++i)
            WindowManager::get().showError("script error " + std::to_string(i));
        done = true;
    });
    // The main thread keeps drawing and dispatching while the requests arrive; only its own
    // fixed steps replace the window.
    int steps = 0;
    while (!done || steps < 2) {
        WindowScreen* before = windows.current();
        windows.draw(target);
        windows.handleEvent(press(1, 1), target, view);
        EXPECT_EQ(windows.current(), before);
        windows.fixedStep();
        ++steps;
    }
    script.join();
    windows.fixedStep();
    auto* error = dynamic_cast<ErrorMessageWindowScreen*>(windows.current());
    ASSERT_NE(error, nullptr);
    const sfe::RichText& message = TextManager::get().getRichText(error->getMessageTextId());
    EXPECT_EQ(message.getLines()[0].getTexts()[0].getString(), "script error 199");
}

namespace {

// A window whose button shows another message from inside its own event handler, as the
// crew creator's save button shows "Saved", and then still uses its own members.
class SavingWindow : public WindowScreen {
public:
    explicit SavingWindow(std::vector<std::string>& events) : events_(events) {}
    ~SavingWindow() override { events_.push_back("destroyed"); }
    void handleEvent(const sf::Event&, sf::RenderTarget&, const sf::View&) override
    {
        WindowManager::get().showMessage("Saved", true);
        WindowManager::get().close();
        WindowManager::get().showMessage("Saved again", true);
        events_.push_back("handled " + label_);
    }

private:
    std::vector<std::string>& events_;
    std::string label_ = "by the saving window";
};

} // namespace

// Replacements asked for while the open window handles an event wait until it returns.
TEST_F(WindowManagerTest, AWindowOutlivesItsOwnEventHandler)
{
    std::vector<std::string> events;
    WindowManager& windows = WindowManager::get();
    windows.open(std::make_unique<SavingWindow>(events));
    click(1, 1);
    EXPECT_EQ(events, (std::vector<std::string>{"handled by the saving window", "destroyed"}));
    auto* saved = dynamic_cast<BasicMessageWindowScreen*>(windows.current());
    ASSERT_NE(saved, nullptr) << "the requests run in order once the handler is done";
    EXPECT_EQ(TextManager::get().getRichText(saved->getMessageTextId()).getLines()[0].getTexts()[0].getString(),
              "Saved again");
}

// Only the main thread makes the holder: an error from the script thread while there is
// none (after shutdown destroyed it, say) waits for the main thread's holder.
TEST_F(WindowManagerTest, OtherThreadsNeverMakeTheHolder)
{
    WindowManager::destroy();
    std::thread script([] { WindowManager::get().showError("after the holder went"); });
    script.join();
    EXPECT_FALSE(WindowManager::exists());
    WindowManager::get().fixedStep();
    EXPECT_NE(dynamic_cast<ErrorMessageWindowScreen*>(WindowManager::get().current()), nullptr);
}

namespace {

// Counts its steps; its third step opens another window in its place.
class SteppingWindow : public WindowScreen {
public:
    explicit SteppingWindow(int& steps) : steps_(steps) {}
    void update() override
    {
        if (++steps_ == 3)
            WindowManager::get().showMessage("replaced", true);
    }

private:
    int& steps_;
};

} // namespace

TEST_F(WindowManagerTest, TheOpenWindowStepsWithTheGameAndMayReplaceItselfThen)
{
    WindowManager& windows = WindowManager::get();
    int steps = 0;
    windows.open(std::make_unique<SteppingWindow>(steps));
    windows.fixedStep();
    windows.fixedStep();
    EXPECT_EQ(steps, 2);
    // The replacement waits for the step to return; the new message then lets one step run.
    EXPECT_TRUE(windows.fixedStep());
    EXPECT_EQ(steps, 3);
    EXPECT_NE(dynamic_cast<BasicMessageWindowScreen*>(windows.current()), nullptr);
}
