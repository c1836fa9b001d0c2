#include "ui/FormLayout.h"

#include <algorithm>
#include <array>
#include <utility>

namespace ui {

namespace {

constexpr Colour NoColour{};
constexpr Anchors LeftTop = AnchorLeft | AnchorTop;
constexpr Anchors TopRight = AnchorTop | AnchorRight;
constexpr Anchors BottomDock = AnchorLeft | AnchorRight | AnchorBottom;
constexpr int Font = WindowFontPixels;

// clang-format off
constexpr std::array<ControlLayout, ControlCount> Layout{{
    {Control::ProgressBar, ControlKind::GradientProgressBar, {0, 522, 772, 17}, BottomDock,
     NoTabStop, u"", TextAddition::None, Font, true, false, {0, 128, 0}, {192, 220, 192}},
    {Control::LogsMemo, ControlKind::TextField, {8, 298, 760, 218},
     LeftTop | AnchorRight | AnchorBottom, 4, u"", TextAddition::None, Font, true, false,
     NoColour, NoColour},
    {Control::Label2, ControlKind::Label, {8, 279, 24, 13}, LeftTop, NoTabStop, u"Логи",
     TextAddition::None, Font, true, true, NoColour, NoColour},
    {Control::StartButton, ControlKind::FlatButton, {8, 236, 206, 37}, LeftTop, 1, u"СТАРТ",
     TextAddition::None, StartFontPixels, true, false, NoColour, NoColour},
    {Control::StopButton, ControlKind::FlatButton, {300, 248, 75, 25}, LeftTop, 3, u"стоп",
     TextAddition::None, Font, true, false, NoColour, NoColour},
    {Control::PauseButton, ControlKind::FlatButton, {219, 248, 75, 25}, LeftTop, 2, u"пауза",
     TextAddition::None, Font, true, false, NoColour, NoColour},
    {Control::StagesProgressBar, ControlKind::GradientProgressBar, {0, 539, 772, 17}, BottomDock,
     NoTabStop, u"", TextAddition::None, Font, true, false, {0, 0, 128}, {166, 202, 240}},
    {Control::Label1, ControlKind::Label, {8, 43, 477, 13}, LeftTop, NoTabStop,
     u"3. Скопируйте ссылку на реестр членов СРО в поле ниже, либо загрузите ссылки на все СРО",
     TextAddition::None, Font, true, true, NoColour, NoColour},
    {Control::OpenSiteButton, ControlKind::PushButton, {8, 8, 286, 29}, LeftTop, 0,
     u"1. Откройте сайт ", TextAddition::SiteName, Font, true, false, NoColour, NoColour},
    {Control::Label3, ControlKind::Label, {307, 15, 140, 13}, LeftTop, NoTabStop,
     u"2. Зайдите в карточку СРО", TextAddition::None, Font, true, true, NoColour, NoColour},
    {Control::Label5, ControlKind::Label, {8, 191, 457, 13}, LeftTop, NoTabStop,
     u"4. Нажмите кнопку <Старт>, программа обойдет все элементы списка и соберет данные",
     TextAddition::None, Font, true, true, NoColour, NoColour},
    {Control::Label6, ControlKind::Label, {559, 210, 156, 13}, TopRight, NoTabStop,
     u"Интервал между запросами, с:", TextAddition::None, Font, false, false, NoColour, NoColour},
    {Control::IntervalSpinEdit, ControlKind::NumericField, {721, 207, 43, 21}, TopRight, 5, u"",
     TextAddition::None, Font, false, false, NoColour, NoColour},
    {Control::UrlsMemo, ControlKind::TextField, {8, 62, 756, 123}, LeftTop | AnchorRight, 6, u"",
     TextAddition::DefaultLink, Font, true, false, NoColour, NoColour},
    {Control::Button1, ControlKind::PushButton, {596, 37, 168, 25}, TopRight, 7,
     u"Загрузить ссылки на все СРО", TextAddition::None, Font, true, false, NoColour, NoColour},
    {Control::MobilesCheckBox, ControlKind::CheckBox, {8, 210, 311, 20}, LeftTop, 8,
     u"Выгружать только организации с иобильными номерами", TextAddition::None, Font, true, true,
     NoColour, NoColour},
}};
// clang-format on

// One axis: the start and length of a control for a client length, from its design values.
std::pair<int, int> Place(int designStart, int designLength, int designClient, int client,
                          bool nearAnchor, bool farAnchor)
{
    const int growth = client - designClient;
    if (nearAnchor && farAnchor) {
        return {designStart, std::max(0, designLength + growth)};
    }
    if (farAnchor) {
        return {designStart + growth, designLength};
    }
    return {designStart, designLength};
}

} // namespace

std::span<const ControlLayout> MainFormLayout()
{
    return Layout;
}

const ControlLayout& LayoutOf(Control control)
{
    return Layout[static_cast<std::size_t>(control)];
}

std::u16string SiteName(std::u16string_view registryHost)
{
    std::u16string name(registryHost);
    if (!name.empty() && name.front() >= u'a' && name.front() <= u'z') {
        name.front() = static_cast<char16_t>(name.front() - u'a' + u'A');
    }
    return name;
}

std::u16string FormCaption(std::u16string_view registryHost)
{
    return u"Парсер организаций " + SiteName(registryHost);
}

std::u16string DefaultLink(std::u16string_view registryHost)
{
    return u"https://" + std::u16string(registryHost) + u"/sro/322/member/list";
}

std::u16string ControlText(const ControlLayout& layout, std::u16string_view registryHost)
{
    switch (layout.addition) {
    case TextAddition::SiteName:
        return std::u16string(layout.text) + SiteName(registryHost);
    case TextAddition::DefaultLink:
        return std::u16string(layout.text) + DefaultLink(registryHost);
    case TextAddition::None:
        break;
    }
    return std::u16string(layout.text);
}

Rect AnchoredBounds(const ControlLayout& layout, int clientWidth, int clientHeight)
{
    const Rect& design = layout.bounds;
    const auto [left, width] = Place(design.left, design.width, ClientWidth, clientWidth,
                                     layout.anchors & AnchorLeft, layout.anchors & AnchorRight);
    const auto [top, height] = Place(design.top, design.height, ClientHeight, clientHeight,
                                     layout.anchors & AnchorTop, layout.anchors & AnchorBottom);
    return {left, top, width, height};
}

} // namespace ui
