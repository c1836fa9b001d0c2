#pragma once

#include "ui/Control.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// The window's layout as data: what each control is, where it lies, what it keeps its distance
// to, its tab order, text, font and colours. Every toolkit builds the window from it.
namespace ui {

enum class ControlKind {
    Label,
    PushButton,
    FlatButton, // a push button drawn flat: a two-pixel frame that lights up under focus or mouse
    CheckBox,
    TextField, // multi-line, editable, both scroll bars, no wrapping
    NumericField,
    GradientProgressBar,
};

// The edges of the client area a control keeps its distance to when the window is resized.
enum Anchor : unsigned { AnchorLeft = 1, AnchorTop = 2, AnchorRight = 4, AnchorBottom = 8 };
using Anchors = unsigned;

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const Rect&, const Rect&) = default;
};

struct Colour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
};

// What follows a control's fixed text.
enum class TextAddition {
    None,
    SiteName,    // the registry site's name: the host with its first letter in upper case
    DefaultLink, // the default members-list link of the link list
};

struct ControlLayout {
    Control control;
    ControlKind kind;
    Rect bounds; // at the design client size
    Anchors anchors;
    int tabOrder; // NoTabStop for controls outside the tab order
    std::u16string_view text;
    TextAddition addition;
    int fontPixels;
    bool visible;
    // A label or check box that a toolkit may widen to fit its text in the font it found.
    bool sizedToText;
    // The filled part of a gradient progress bar runs from the start to the end colour.
    Colour gradientStart;
    Colour gradientEnd;
};

inline constexpr int NoTabStop = -1;

inline constexpr int ClientWidth = 772; // at 96 pixels per inch
inline constexpr int ClientHeight = 556;
inline constexpr std::u16string_view WindowFontFamily = u"Tahoma";
inline constexpr int WindowFontPixels = 11; // 8 points at 96 pixels per inch
inline constexpr int StartFontPixels = 19;  // 14 points
// The progress bars until a run sets them: minimum 0, maximum 100, position 0.
inline constexpr std::int32_t ProgressBarStartMax = 100;
// The hidden interval field: seconds between page requests.
inline constexpr std::int32_t IntervalStartValue = 1;
inline constexpr std::int32_t IntervalMinimum = 0;

// Every control, in declaration order.
std::span<const ControlLayout> MainFormLayout();
const ControlLayout& LayoutOf(Control control);

// "Парсер организаций " + the registry site's name.
std::u16string FormCaption(std::u16string_view registryHost);
// The registry host with its first letter in upper case.
std::u16string SiteName(std::u16string_view registryHost);
// The default members-list link: "https://" + host + "/sro/322/member/list".
std::u16string DefaultLink(std::u16string_view registryHost);
std::u16string ControlText(const ControlLayout& layout, std::u16string_view registryHost);

// Where a control lies in a client area of the given size: anchored to both edges of an axis it
// stretches with the client area, anchored to the far edge only it moves with it, otherwise it
// keeps its design place.
Rect AnchoredBounds(const ControlLayout& layout, int clientWidth, int clientHeight);

} // namespace ui
