#include "ui/win32/Win32MainWindow.h"

#include "ui/win32/FlatButton.h"
#include "ui/win32/WideText.h"

#include <commctrl.h>

#include <stdexcept>

namespace ui::win32 {

namespace {

const wchar_t ClassName[] = L"SroParserMainForm";

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

void RegisterClassOnce(WNDPROC procedure)
{
    static const bool registered = [procedure] {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        windowClass.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = ClassName;
        return RegisterClassExW(&windowClass) != 0;
    }();
    if (!registered) {
        throw std::runtime_error("The main window class could not be registered");
    }
}

} // namespace

Win32MainWindow::Win32MainWindow(std::u16string_view registryHost)
{
    const INITCOMMONCONTROLSEX commonControls{
        sizeof(commonControls), ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
    RegisterClassOnce(&Win32MainWindow::Procedure);

    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, 0);
    window_ = CreateWindowExW(0, ClassName, Wide(FormCaption(registryHost)).c_str(), WindowStyle,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                              frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("The main window could not be created");
    }
    dispatcher_ = std::make_unique<Win32UiDispatcher>(window_);

    // Windows tabs through the controls in the order they were created.
    std::array<const ControlLayout*, ControlCount> creationOrder{};
    std::size_t next = 0;
    for (int tab = 0; tab < ControlCount; ++tab) {
        for (const ControlLayout& layout : MainFormLayout()) {
            if (layout.tabOrder == tab) {
                creationOrder[next++] = &layout;
            }
        }
    }
    for (const ControlLayout& layout : MainFormLayout()) {
        if (layout.tabOrder == NoTabStop) {
            creationOrder[next++] = &layout;
        }
    }
    for (const ControlLayout* layout : creationOrder) {
        CreateControl(*layout, registryHost);
    }
    RECT client{};
    GetClientRect(window_, &client);
    PlaceControls(client.right, client.bottom);
}

Win32MainWindow::~Win32MainWindow()
{
    dispatcher_->Close();
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
    for (const auto& [pixels, font] : fonts_) {
        DeleteObject(font);
    }
}

HWND Win32MainWindow::Item(Control control) const
{
    return GetDlgItem(window_, ItemId(control));
}

GradientBar& Win32MainWindow::Bar(Control bar)
{
    return *bars_.at(bar);
}

void Win32MainWindow::Show()
{
    RECT frame{};
    GetWindowRect(window_, &frame);
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window_, SW_SHOWNORMAL);
    UpdateWindow(window_);
}

void Win32MainWindow::SetWaitCursor(bool wait)
{
    waitCursor_ = wait;
    // Moving the cursor to where it is makes the window under it choose its cursor anew.
    POINT position{};
    GetCursorPos(&position);
    SetCursorPos(position.x, position.y);
    if (wait) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void Win32MainWindow::Destroy()
{
    dispatcher_->Close();
    if (window_ != nullptr) {
        DestroyWindow(window_);
    }
}

void Win32MainWindow::PlaceControls(int clientWidth, int clientHeight)
{
    HDWP moves = BeginDeferWindowPos(ControlCount + 1);
    for (const ControlLayout& layout : MainFormLayout()) {
        ControlLayout placed = layout;
        placed.bounds = design_[static_cast<std::size_t>(layout.control)];
        Rect box = AnchoredBounds(placed, clientWidth, clientHeight);
        if (layout.kind == ControlKind::NumericField) {
            // The up-down arrows take the right end of the field's rectangle.
            const int arrowsWidth = GetSystemMetrics(SM_CXVSCROLL);
            box.width -= arrowsWidth;
            moves = DeferWindowPos(moves, GetDlgItem(window_, IntervalArrowsItemId), nullptr,
                                   box.left + box.width, box.top, arrowsWidth, box.height,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
        moves = DeferWindowPos(moves, Item(layout.control), nullptr, box.left, box.top,
                               box.width, box.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    EndDeferWindowPos(moves);
}

LRESULT CALLBACK Win32MainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* creation = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(creation->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT Win32MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case Win32UiDispatcher::RunMessage:
        dispatcher_->RunPending();
        return 0;
    case WM_SIZE:
        PlaceControls(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_DRAWITEM:
        FlatButton::Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_SETCURSOR:
        if (waitCursor_) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_COMMAND:
        // Enter and Escape of the dialog manager come without a control (IDOK, IDCANCEL).
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0 && events_.click) {
            events_.click(static_cast<Control>(LOWORD(wParam) - FirstItemId));
            return 0;
        }
        break;
    case WM_CLOSE:
        if (!events_.closing || events_.closing()) {
            Destroy();
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        HWND window = window_;
        window_ = nullptr;
        return DefWindowProcW(window, message, wParam, lParam);
    }
    default:
        break;
    }
    return DefWindowProcW(window_, message, wParam, lParam);
}

} // namespace ui::win32
