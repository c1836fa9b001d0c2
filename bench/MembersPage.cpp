#include "MembersPage.h"

#include <string_view>

namespace bench {
namespace {

constexpr int MembersPerPage = 20;

// Appends `text` (UTF-8) as a JSON string body, every non-ASCII character as \u escapes.
void AppendEscaped(std::string& out, std::string_view text)
{
    static const char hex[] = "0123456789abcdef";
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        unsigned code = byte;
        std::size_t length = 1;
        if (byte >= 0xE0) {
            code = ((byte & 0x0Fu) << 12) |
                   ((static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6) |
                   (static_cast<unsigned char>(text[i + 2]) & 0x3Fu);
            length = 3;
        } else if (byte >= 0xC0) {
            code = ((byte & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            length = 2;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
        } else {
            out += "\\u";
            for (int shift = 12; shift >= 0; shift -= 4) {
                out += hex[(code >> shift) & 0xFu];
            }
        }
        i += length;
    }
}

class PageWriter {
public:
    explicit PageWriter(std::string& out) : out_(out) {}

    void Text(std::string_view name, std::string_view value)
    {
        Name(name);
        out_ += '"';
        if (escaped_) {
            AppendEscaped(out_, value);
        } else {
            out_ += value;
        }
        out_ += '"';
    }
    void Raw(std::string_view name, std::string_view value)
    {
        Name(name);
        out_ += value;
    }
    void Open(std::string_view name, char bracket)
    {
        Name(name);
        out_ += bracket;
        first_ = true;
    }
    void Close(char bracket)
    {
        out_ += bracket;
        first_ = false;
    }
    void Separator()
    {
        if (!first_) {
            out_ += ',';
        }
        first_ = true;
    }
    void SetEscaped(bool escaped) { escaped_ = escaped; }

private:
    void Name(std::string_view name)
    {
        Separator();
        first_ = false;
        if (!name.empty()) {
            out_ += '"';
            out_ += name;
            out_ += "\":";
        }
    }

    std::string& out_;
    bool first_ = true;
    bool escaped_ = false;
};

void Member(PageWriter& page, int index)
{
    const std::string number = std::to_string(index);
    const std::string id = std::to_string(100000 + index * 7);
    page.SetEscaped(index % 2 == 0);
    page.Open("", '{');
    page.Raw("id", id);
    page.Text("full_description", "Общество с ограниченной ответственностью &quot;Строительная "
                                  "компания &laquo;Ромашка-" +
                                      number + "&raquo;&quot;");
    page.Text("short_description", "ООО &quot;СК Ромашка-" + number + "&quot;");
    page.Text("inn", std::to_string(7701000000LL + index * 13));
    page.Text("ogrn", std::to_string(1027700000000LL + index * 31));
    page.Text("registry_registration_date",
              "2017-03-" + std::to_string(10 + index % 18) + "T00:00:00+03:00");
    page.Open("member_status", '{');
    page.Raw("id", "1");
    page.Text("code", "member");
    page.Text("title", index % 5 == 0 ? "Исключен" : "Является членом");
    page.Close('}');
    page.Open("member_type", '{');
    page.Raw("id", "2");
    page.Text("title", "Юридическое лицо");
    page.Close('}');
    page.Open("sro", '{');
    page.Raw("id", "322");
    page.Text("full_description",
              "Ассоциация саморегулируемая организация &quot;Объединение строителей&quot;");
    page.Text("short_description", "СРО &quot;ОС&quot;");
    page.Text("registration_number", "СРО-С-" + std::to_string(100 + index % 50) + "-2009");
    page.Close('}');
    page.Text("director", "Иванов Иван Иванович");
    page.Text("phones", "+7 (495) 123-45-" + std::to_string(10 + index % 90) + ", 8-916-555-" +
                            std::to_string(1000 + index % 9000));
    page.Text("email", "info" + number + "@example.org");
    page.Text("site", "https:\\/\\/example.org\\/member\\/" + id);
    page.Open("address", '{');
    page.Text("index", std::to_string(101000 + index));
    page.Text("city", "Москва");
    page.Text("street", "ул. Ленина");
    page.Text("house", std::to_string(1 + index % 120));
    page.Raw("room", "null");
    page.Close('}');
    page.Open("rights", '[');
    for (int level = 1; level <= 3; ++level) {
        page.Open("", '{');
        page.Raw("id", std::to_string(level));
        page.Text("title", "Уровень ответственности " + std::to_string(level));
        page.Raw("sum", std::to_string(level * 500000) + ".00");
        page.Raw("is_active", level == 3 ? "false" : "true");
        page.Close('}');
    }
    page.Close(']');
    page.Raw("rating", "4.75321");
    page.Raw("is_deleted", "false");
    page.Close('}');
}

} // namespace

std::string MembersPage(std::size_t minimumBytes)
{
    std::string members;
    PageWriter page(members);
    int count = 0;
    do {
        for (int i = 0; i < MembersPerPage; ++i) {
            Member(page, count++);
        }
    } while (members.size() < minimumBytes);

    const std::string pages = std::to_string(count / MembersPerPage);
    return "{\"data\":{\"count\":" + std::to_string(count) + ",\"countPages\":" + pages +
           ",\"page\":1,\"data\":[" + members + "]},\"success\":true,\"message\":null}";
}

} // namespace bench
