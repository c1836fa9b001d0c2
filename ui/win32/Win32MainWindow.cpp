#include "ui/win32/Win32MainWindow.h"

#include "ui/win32/Anchoring.h"
#include "ui/win32/FlatButton.h"
#include "ui/win32/WideText.h"

#include <commctrl.h>

#include <stdexcept>

namespace ui::win32 {

namespace {

const wchar_t ClassName[] = L"SroParserMainForm";

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

constexpr DWORD WindowStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;

} // namespace

Win32MainWindow::Win32MainWindow(const std::u16string& caption,
                                 const std::vector<ControlSpec>& controls, WindowEvents events)
    : events_(std::move(events))
{
    const INITCOMMONCONTROLSEX commonControls{sizeof(commonControls),
                                              ICC_STANDARD_CLASSES | ICC_BAR_CLASSES |
                                                  ICC_UPDOWN_CLASS};
    InitCommonControlsEx(&commonControls);
    RegisterClassOnce(&Win32MainWindow::Procedure);

    RECT frame{0, 0, ClientWidth, ClientHeight};
    AdjustWindowRectEx(&frame, WindowStyle, FALSE, 0);
    window_ = CreateWindowExW(0, ClassName, Wide(caption).c_str(), WindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, GetModuleHandleW(nullptr), this);
    if (window_ == nullptr) {
        throw std::runtime_error("The main window could not be created");
    }
    dispatcher_ = std::make_unique<Win32UiDispatcher>(window_);
    for (const ControlSpec& spec : controls) {
        CreateControl(spec);
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

HWND Win32MainWindow::Control(ControlId id) const
{
    return GetDlgItem(window_, static_cast<int>(id));
}

GradientBar& Win32MainWindow::Bar(ControlId id)
{
    return *bars_.at(id);
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
    // Moving the cursor where it is makes the window under it choose its cursor anew.
    POINT position{};
    GetCursorPos(&position);
    SetCursorPos(position.x, position.y);
    if (wait) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    }
}

void Win32MainWindow::PlaceControls(int clientWidth, int clientHeight)
{
    HDWP moves = BeginDeferWindowPos(static_cast<int>(placed_.size()) + 1);
    for (const Placed& control : placed_) {
        RECT box = Anchored(control.design, control.anchors, ClientWidth, ClientHeight,
                            clientWidth, clientHeight);
        if (control.id == ControlId::IntervalSpinEdit) {
            // The up-down arrows take the right end of the spin edit's rectangle.
            HWND arrows = Control(ControlId::IntervalUpDown);
            RECT arrowsBox = box;
            arrowsBox.left = box.right - GetSystemMetrics(SM_CXVSCROLL);
            box.right = arrowsBox.left;
            moves = DeferWindowPos(moves, arrows, nullptr, arrowsBox.left, arrowsBox.top,
                                   arrowsBox.right - arrowsBox.left,
                                   arrowsBox.bottom - arrowsBox.top,
                                   SWP_NOZORDER | SWP_NOACTIVATE);
        }
        moves = DeferWindowPos(moves, Control(control.id), nullptr, box.left, box.top,
                               box.right - box.left, box.bottom - box.top,
                               SWP_NOZORDER | SWP_NOACTIVATE);
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
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            events_.click(static_cast<ControlId>(LOWORD(wParam)));
            return 0;
        }
        break;
    case WM_CLOSE:
        if (events_.closing()) {
            dispatcher_->Close();
            DestroyWindow(window_);
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
