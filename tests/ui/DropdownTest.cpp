#include "support/UiTestSupport.hpp"
#include "ui/Dropdown.hpp"
#include "ui/Utf8.hpp"

namespace {

class DropdownTest : public UiTest {
protected:
    void SetUp() override
    {
        UiTest::SetUp();
        writeImage(assets + "crew_creator/dropdown.png", 92, 10, sf::Color(40, 40, 40));
    }

    std::string label(const Dropdown& list) { return Utf8::fromLabel(TextManager::get().getText(list.getLabelId()).getString()); }
    // The middle of entry `index` in the open list.
    sf::Vector2f entry(Dropdown& list, std::size_t index)
    {
        const sf::FloatRect box = list.itemButton(index).getBounds();
        return {box.left + 4.f, box.top + box.height / 2.f};
    }

    std::vector<std::string> heard;
};

} // namespace

TEST_F(DropdownTest, NewItemsSelectTheFirstAndAnEmptyListSelectsNothing)
{
    Dropdown list;
    list.onSelect = [this](const std::string& text) { heard.push_back(text); };
    list.setItems({"Green", "Amber", "Inverted"});
    EXPECT_EQ(list.getSelected(), "Green");
    EXPECT_EQ(label(list), "Green");
    EXPECT_EQ(heard, std::vector<std::string>{"Green"});

    list.setItems({});
    EXPECT_EQ(list.getSelectedIndex(), -1);
    EXPECT_EQ(list.getSelected(), "-*-");
    EXPECT_EQ(label(list), "Green"); // the label is left as it was
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_FLOAT_EQ(list.getListBox().getSize().y, 6.f);
    list.select(0);
    EXPECT_EQ(list.getSelected(), "-*-");
}

TEST_F(DropdownTest, SelectingByNameIgnoresLetterCase)
{
    Dropdown list;
    list.setItems({"monofur", "OpenDyslexic", "mononoki"});
    list.onSelect = [this](const std::string& text) { heard.push_back(text); };
    EXPECT_TRUE(list.selectByName("opendyslexic"));
    EXPECT_EQ(list.getSelectedIndex(), 1);
    EXPECT_EQ(heard, std::vector<std::string>{"OpenDyslexic"});
    EXPECT_FALSE(list.selectByName("comic"));
    EXPECT_EQ(list.getSelectedIndex(), 1);
    EXPECT_EQ(heard.size(), 1u);
}

TEST_F(DropdownTest, QuietChangesKeepTheSelectionWithoutTellingTheOwner)
{
    Dropdown list;
    list.setItems({"he/him", "she/her", "they/them"});
    list.onSelect = [this](const std::string& text) { heard.push_back(text); };
    list.selectQuietly(2);
    EXPECT_EQ(list.getSelected(), "they/them");
    EXPECT_EQ(label(list), "they/them");

    list.setItemsKeepingSelection({"he/him", "she/her", "xe/xem", "ze/hir"});
    EXPECT_EQ(list.getSelected(), "xe/xem");
    EXPECT_EQ(label(list), "xe/xem");
    list.setItemsKeepingSelection({"he/him"});
    EXPECT_EQ(list.getSelected(), "-*-");
    list.setItemsKeepingSelection({});
    EXPECT_EQ(list.getSelected(), "-*-");
    EXPECT_TRUE(heard.empty());
}

TEST_F(DropdownTest, ClicksOpenTheListPickAnEntryOrLandOnTheList)
{
    Dropdown list;
    list.setPosition(100.f, 50.f);
    list.setItems({"1280 x 720", "1920 x 1080", "800 x 600"});
    list.onSelect = [this](const std::string& text) { heard.push_back(text); };

    EXPECT_FALSE(list.handleClick(300.f, 300.f));
    EXPECT_FALSE(list.handleClick(entry(list, 1).x, entry(list, 1).y)); // closed: the entries are not there
    EXPECT_TRUE(list.handleClick(105.f, 55.f));
    EXPECT_TRUE(list.isOpen());

    // The list's own margin, above the first entry, is used and changes nothing.
    const sf::RectangleShape& box = list.getListBox();
    EXPECT_TRUE(list.handleClick(box.getPosition().x + box.getSize().x - 1.f, box.getPosition().y + 1.f));
    EXPECT_TRUE(list.isOpen());
    EXPECT_TRUE(heard.empty());

    const sf::Vector2f second = entry(list, 1);
    EXPECT_TRUE(list.handleClick(second.x, second.y));
    EXPECT_FALSE(list.isOpen());
    EXPECT_EQ(heard, std::vector<std::string>{"1920 x 1080"});

    list.enabled = false;
    EXPECT_FALSE(list.handleClick(105.f, 55.f));
    EXPECT_FALSE(list.isOpen());
}

TEST_F(DropdownTest, AFontListShowsEachEntryInItsOwnFont)
{
    sf::Font other;
    ASSERT_TRUE(other.loadFromFile("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    host.previewFonts["dejavu"] = &other;
    Dropdown list;
    list.fontPreview = true;
    list.setItems({"dejavu", "missing"});
    TextManager& texts = TextManager::get();
    EXPECT_EQ(texts.getText(list.itemButton(0).getLabelId()).getFont(), &other);
    EXPECT_EQ(texts.getText(list.itemButton(1).getLabelId()).getFont(), &host.font); // unreadable: the game font
}
