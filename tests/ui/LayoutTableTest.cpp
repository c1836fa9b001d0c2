// The layout table both toolkits build the window from: texts built from the registry host,
// anchors under resizing, the tab order.
#include "tests/ui/CaseName.h"
#include "tests/ui/FormFixture.h"
#include "ui/ErrorBox.h"
#include "ui/FormLayout.h"

#include <gtest/gtest.h>

#include <map>

namespace ui::test {
namespace {

TEST(LayoutTableTest, TextsNameTheRegistrySite)
{
    EXPECT_EQ(FormCaption(u"registry.example.org"), u"Парсер организаций Registry.example.org");
    EXPECT_EQ(ControlText(LayoutOf(Control::OpenSiteButton), u"127.0.0.1:8443"),
              u"1. Откройте сайт 127.0.0.1:8443");
    EXPECT_EQ(ControlText(LayoutOf(Control::UrlsMemo), u"registry.example.org"),
              u"https://registry.example.org/sro/322/member/list");
    EXPECT_EQ(ControlText(LayoutOf(Control::MobilesCheckBox), u"registry.example.org"),
              u"Выгружать только организации с иобильными номерами");
    EXPECT_EQ(ApplicationTitle(u"Registry.Example.ORG"), u"Парсер registry.example.org");
}

TEST(LayoutTableTest, EveryControlOnceInDeclarationOrder)
{
    int index = 0;
    for (const ControlLayout& layout : MainFormLayout()) {
        EXPECT_EQ(static_cast<int>(layout.control), index++);
    }
    EXPECT_EQ(index, ControlCount);
}

TEST(LayoutTableTest, TabOrderOverTheFocusableControls)
{
    std::map<int, Control> order;
    for (const ControlLayout& layout : MainFormLayout()) {
        if (layout.tabOrder != NoTabStop) {
            EXPECT_TRUE(order.emplace(layout.tabOrder, layout.control).second);
        }
    }
    std::vector<Control> chain;
    for (const auto& [tabOrder, control] : order) {
        chain.push_back(control);
    }
    EXPECT_EQ(chain, (std::vector<Control>{Control::OpenSiteButton, Control::StartButton,
                                           Control::PauseButton, Control::StopButton,
                                           Control::LogsMemo, Control::IntervalSpinEdit,
                                           Control::UrlsMemo, Control::Button1,
                                           Control::MobilesCheckBox}));
}

struct Resize {
    const char* name;
    Control control;
    Rect bounds; // when the window grows by 100 x 50 pixels
};

class AnchoredBoundsTest : public testing::TestWithParam<Resize> {};

TEST_P(AnchoredBoundsTest, MovesAndStretchesWithTheAnchoredEdges)
{
    const ControlLayout& layout = LayoutOf(GetParam().control);
    EXPECT_EQ(AnchoredBounds(layout, ClientWidth, ClientHeight), layout.bounds);
    EXPECT_EQ(AnchoredBounds(layout, ClientWidth + 100, ClientHeight + 50), GetParam().bounds);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, AnchoredBoundsTest,
    testing::Values(Resize{"LeftTopStays", Control::StartButton, {8, 236, 206, 37}},
                    Resize{"TopRightMoves", Control::Button1, {696, 37, 168, 25}},
                    Resize{"HiddenFieldMovesToo", Control::IntervalSpinEdit, {821, 207, 43, 21}},
                    Resize{"LinkListStretchesInWidth", Control::UrlsMemo, {8, 62, 856, 123}},
                    Resize{"LogViewStretchesBothWays", Control::LogsMemo, {8, 298, 860, 268}},
                    Resize{"UpperBarDockedAtTheBottom", Control::ProgressBar, {0, 572, 872, 17}},
                    Resize{"LowerBarBelowIt", Control::StagesProgressBar, {0, 589, 872, 17}}),
    CaseName<Resize>);

TEST(LayoutTableTest, StretchedControlsNeverGetANegativeSize)
{
    EXPECT_EQ(AnchoredBounds(LayoutOf(Control::LogsMemo), 100, 100), (Rect{8, 298, 88, 0}));
}

} // namespace
} // namespace ui::test
