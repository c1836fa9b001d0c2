// The controls of the main window: their kinds, texts, fonts, geometry, anchors and tab order.
#include "ui/GradientProgressBar.h"
#include "ui/MainForm.h"

#include <QCheckBox>
#include <QFont>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>

#include <algorithm>
#include <limits>

namespace ui {

namespace {

// Tahoma where it exists; elsewhere the nearest sans-serif at the same character height.
QFont WindowFont(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    return font;
}

constexpr int WindowFontPixels = 11; // 8 pt at 96 pixels per inch
constexpr int StartFontPixels = 19;  // 14 pt

// The run buttons are drawn flat: a 2-pixel frame that lights up under focus or the mouse.
const char FlatButtonStyle[] =
    "QPushButton { border: 2px solid palette(mid); background: palette(button); }"
    "QPushButton:hover, QPushButton:focus { border-color: palette(highlight); }"
    "QPushButton:pressed { background: palette(midlight); }";

QString Capitalised(const QString& text)
{
    return text.isEmpty() ? text : text.front().toUpper() + text.mid(1);
}

QPlainTextEdit* TextField(QWidget* parent)
{
    auto* field = new QPlainTextEdit(parent);
    field->setLineWrapMode(QPlainTextEdit::NoWrap);
    field->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    field->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    return field;
}

QPushButton* FlatButton(const QString& text, QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setStyleSheet(QString::fromUtf8(FlatButtonStyle));
    return button;
}

// Labels and the check box size themselves to their text: where the fallback font is wider
// than Tahoma, the designed width would cut the text off.
QRect FittingText(QWidget* control, QRect designGeometry)
{
    designGeometry.setWidth(std::max(designGeometry.width(), control->sizeHint().width()));
    return designGeometry;
}

} // namespace

void TMainForm::CreateControls()
{
    const QString siteName = Capitalised(settings_.registryHost);
    setWindowTitle(QStringLiteral("Парсер организаций ") + siteName);
    setFont(WindowFont(WindowFontPixels));
    QPalette windowPalette = palette();
    windowPalette.setColor(QPalette::Window, windowPalette.color(QPalette::Button));
    setPalette(windowPalette);
    setAutoFillBackground(true);

    ProgressBar = new GradientProgressBar(QColor(0, 128, 0), QColor(192, 220, 192), this);
    LogsMemo = TextField(this);
    Label2 = new QLabel(QStringLiteral("Логи"), this);
    StartButton = FlatButton(QStringLiteral("СТАРТ"), this);
    StartButton->setFont(WindowFont(StartFontPixels));
    StopButton = FlatButton(QStringLiteral("стоп"), this);
    PauseButton = FlatButton(QStringLiteral("пауза"), this);
    StagesProgressBar = new GradientProgressBar(QColor(0, 0, 128), QColor(166, 202, 240), this);
    Label1 = new QLabel(QStringLiteral("3. Скопируйте ссылку на реестр членов СРО в поле ниже, "
                                       "либо загрузите ссылки на все СРО"),
                        this);
    OpenSiteButton = new QPushButton(QStringLiteral("1. Откройте сайт ") + siteName, this);
    Label3 = new QLabel(QStringLiteral("2. Зайдите в карточку СРО"), this);
    Label5 = new QLabel(QStringLiteral("4. Нажмите кнопку <Старт>, программа обойдет все "
                                       "элементы списка и соберет данные"),
                        this);
    Label6 = new QLabel(QStringLiteral("Интервал между запросами, с:"), this);
    Label6->hide();
    IntervalSpinEdit = new QSpinBox(this);
    IntervalSpinEdit->setRange(0, std::numeric_limits<int>::max());
    IntervalSpinEdit->setValue(1);
    IntervalSpinEdit->hide();
    UrlsMemo = TextField(this);
    UrlsMemo->setPlainText(QStringLiteral("https://") + settings_.registryHost +
                           QStringLiteral("/sro/322/member/list"));
    Button1 = new QPushButton(QStringLiteral("Загрузить ссылки на все СРО"), this);
    MobilesCheckBox =
        new QCheckBox(QStringLiteral("Выгружать только организации с иобильными номерами"), this);

    const Anchors leftTop = Anchor::Left | Anchor::Top;
    const Anchors topRight = Anchor::Top | Anchor::Right;
    const Anchors bottomDock = Anchor::Left | Anchor::Right | Anchor::Bottom;
    anchors_.Add(OpenSiteButton, {8, 8, 286, 29}, leftTop);
    anchors_.Add(Label3, FittingText(Label3, {307, 15, 140, 13}), leftTop);
    anchors_.Add(Button1, {596, 37, 168, 25}, topRight);
    anchors_.Add(Label1, FittingText(Label1, {8, 43, 477, 13}), leftTop);
    anchors_.Add(UrlsMemo, {8, 62, 756, 123}, leftTop | Anchor::Right);
    anchors_.Add(Label5, FittingText(Label5, {8, 191, 457, 13}), leftTop);
    anchors_.Add(MobilesCheckBox, FittingText(MobilesCheckBox, {8, 210, 311, 20}), leftTop);
    anchors_.Add(Label6, {559, 210, 156, 13}, topRight);
    anchors_.Add(IntervalSpinEdit, {721, 207, 43, 21}, topRight);
    anchors_.Add(StartButton, {8, 236, 206, 37}, leftTop);
    anchors_.Add(PauseButton, {219, 248, 75, 25}, leftTop);
    anchors_.Add(StopButton, {300, 248, 75, 25}, leftTop);
    anchors_.Add(Label2, FittingText(Label2, {8, 279, 24, 13}), leftTop);
    anchors_.Add(LogsMemo, {8, 298, 760, 218}, leftTop | Anchor::Right | Anchor::Bottom);
    anchors_.Add(ProgressBar, {0, 522, 772, 17}, bottomDock);
    anchors_.Add(StagesProgressBar, {0, 539, 772, 17}, bottomDock);

    QWidget* const tabOrder[] = {OpenSiteButton, StartButton, PauseButton,
                                 StopButton,     LogsMemo,    IntervalSpinEdit,
                                 UrlsMemo,       Button1,     MobilesCheckBox};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i) {
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    }
    OpenSiteButton->setFocus();
}

} // namespace ui
