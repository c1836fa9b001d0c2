#pragma once

#include <windows.h>

#include <functional>

namespace ui::win32 {

// The two text fields: multi-line EDIT controls, editable, with both scroll bars, no wrapping
// and room for a long run's log.
namespace TextField {

// Called with the virtual key of every key that goes down in the field, before the field's
// own handling of it (which always follows).
using KeyDownHandler = std::function<void(WORD key)>;

HWND Create(HWND parent, int id, KeyDownHandler onKeyDown);

} // namespace TextField

} // namespace ui::win32
