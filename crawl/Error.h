#pragma once

#include <stdexcept>
#include <string>

namespace crawl {

// Every failure of the system is an exception that carries one message text; the callers
// log it as "Ошибка: " + Message().
class Error : public std::runtime_error {
public:
    explicit Error(std::u16string message);

    const std::u16string& Message() const noexcept { return message_; }

private:
    std::u16string message_;
};

} // namespace crawl
