// The controls of the main window, built from the layout table.
#include "ui/qt/GradientProgressBar.h"
#include "ui/qt/MainWindow.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <limits>
#include <map>

namespace ui {

namespace {

// The window's font where it exists; elsewhere the nearest sans-serif at the same height.
QFont WindowFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QString::fromStdU16String(std::u16string(WindowFontFamily)),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

// The flat buttons: a 2-pixel frame that lights up under focus or the mouse.
const char FlatButtonStyle[] =
    "QPushButton { border: 2px solid palette(mid); background: palette(button); }"
    "QPushButton:hover, QPushButton:focus { border-color: palette(highlight); }"
    "QPushButton:pressed { background: palette(midlight); }";

QColor ToQColor(Colour colour)
{
    return QColor(colour.red, colour.green, colour.blue);
}

QWidget* CreateControl(const ControlLayout& layout, const QString& text, QWidget* parent)
{
    switch (layout.kind) {
    case ControlKind::Label:
        return new QLabel(text, parent);
    case ControlKind::PushButton:
        return new QPushButton(text, parent);
    case ControlKind::FlatButton: {
        auto* button = new QPushButton(text, parent);
        button->setStyleSheet(QString::fromUtf8(FlatButtonStyle));
        return button;
    }
    case ControlKind::CheckBox:
        return new QCheckBox(text, parent);
    case ControlKind::TextField: {
        auto* field = new QPlainTextEdit(parent);
        field->setLineWrapMode(QPlainTextEdit::NoWrap);
        // Tab moves on, as in the rest of the window, instead of typing a tab character.
        field->setTabChangesFocus(true);
        field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        field->setPlainText(text);
        return field;
    }
    case ControlKind::NumericField: {
        auto* field = new QSpinBox(parent);
        field->setRange(IntervalMinimum, std::numeric_limits<int>::max());
        field->setValue(IntervalStartValue);
        return field;
    }
    case ControlKind::GradientProgressBar: {
        auto* bar = new GradientProgressBar(ToQColor(layout.gradientStart),
                                            ToQColor(layout.gradientEnd), parent);
        bar->SetMax(ProgressBarStartMax);
        return bar;
    }
    }
    return nullptr;
}

// Labels and the check box size themselves to their text: where the fallback font is wider
// than the designed one, the designed width would cut the text off.
ControlLayout FittingText(QWidget* control, ControlLayout layout)
{
    if (layout.sizedToText) {
        layout.bounds.width = std::max(layout.bounds.width, control->sizeHint().width());
    }
    return layout;
}

template <class Kind>
Kind* As(QWidget* control)
{
    return static_cast<Kind*>(control);
}

} // namespace

void MainWindow::CreateControls(const std::u16string& registryHost)
{
    setWindowTitle(QString::fromStdU16String(FormCaption(registryHost)));
    setFont(WindowFont(WindowFontPixels));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    setAutoFillBackground(true);

    std::map<int, QWidget*> tabOrder;
    for (const ControlLayout& layout : MainFormLayout()) {
        QWidget* control = CreateControl(
            layout, QString::fromStdU16String(ControlText(layout, registryHost)), this);
        if (layout.fontPixels != WindowFontPixels) {
            control->setFont(WindowFont(layout.fontPixels));
        }
        control->setVisible(layout.visible);
        anchors_.Add(control, FittingText(control, layout));
        if (layout.tabOrder != NoTabStop) {
            tabOrder[layout.tabOrder] = control;
        }
        controls_[static_cast<std::size_t>(layout.control)] = control;
    }
    for (auto next = std::next(tabOrder.begin()); next != tabOrder.end(); ++next) {
        setTabOrder(std::prev(next)->second, next->second);
    }
    tabOrder.begin()->second->setFocus();

    ProgressBar = As<GradientProgressBar>(Widget(Control::ProgressBar));
    LogsMemo = As<QPlainTextEdit>(Widget(Control::LogsMemo));
    Label2 = As<QLabel>(Widget(Control::Label2));
    StartButton = As<QPushButton>(Widget(Control::StartButton));
    StopButton = As<QPushButton>(Widget(Control::StopButton));
    PauseButton = As<QPushButton>(Widget(Control::PauseButton));
    StagesProgressBar = As<GradientProgressBar>(Widget(Control::StagesProgressBar));
    Label1 = As<QLabel>(Widget(Control::Label1));
    OpenSiteButton = As<QPushButton>(Widget(Control::OpenSiteButton));
    Label3 = As<QLabel>(Widget(Control::Label3));
    Label5 = As<QLabel>(Widget(Control::Label5));
    Label6 = As<QLabel>(Widget(Control::Label6));
    IntervalSpinEdit = As<QSpinBox>(Widget(Control::IntervalSpinEdit));
    UrlsMemo = As<QPlainTextEdit>(Widget(Control::UrlsMemo));
    Button1 = As<QPushButton>(Widget(Control::Button1));
    MobilesCheckBox = As<QCheckBox>(Widget(Control::MobilesCheckBox));
}

} // namespace ui
