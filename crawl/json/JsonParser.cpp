#include "crawl/json/JsonBuild.h"
#include "crawl/json/JsonEscapes.h"
#include "crawl/json/JsonNode.h"
#include "crawl/json/JsonNumber.h"
#include "crawl/json/JsonScan.h"

#include <algorithm>
#include <string>
#include <vector>

// The lenient reader of registry answers. Besides plain JSON it takes comments, texts in
// apostrophes, bare words, unquoted names, trailing commas and empty positions, and it
// ignores whatever follows the first complete value.
namespace crawl::json {
namespace {

// A value at this level (the top value has level 0) fails the parse.
constexpr int MaxLevel = 32;

// Where a value stands decides which characters end a bare word.
enum class Place { Top, Item, MemberValue };

constexpr bool IsWhiteSpace(char16_t c) noexcept
{
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f' || c == u'\b';
}

// The character after a keyword that makes it part of a longer bare word.
constexpr bool ContinuesWord(char16_t c) noexcept
{
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || c == u'_' || c == u'.' ||
           c >= 256;
}

// Characters that cannot begin an unquoted member name.
constexpr bool StartsNoName(char16_t c) noexcept
{
    return c == u'.' || c == u'[' || c == u']' || c == u'{' || c == u'(' || c == u')' ||
           c == u',' || c == u':';
}

JsonNode* NewBoolean(bool value)
{
    JsonNode* node = NewNode(JsonType::stBoolean, 0);
    node->boolean = value;
    return node;
}

class Parser {
public:
    Parser(const char16_t* begin, const char16_t* end) : position_(begin), end_(end) {}
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    // Whatever a failed parse leaves on the stacks is released here.
    ~Parser()
    {
        std::for_each(items_.begin(), items_.end(), Release);
        for (const PendingMember& member : members_) {
            Release(member.value);
        }
    }

    const JsonNode* ParseTop()
    {
        if (!SkipSpace()) {
            return nullptr;
        }
        return ParseValue(Place::Top, 0);
    }

private:
    bool AtEnd() const noexcept { return position_ == end_; }

    // White space and comments; false for a "/" that starts no comment and for a comment
    // that is never closed.
    bool SkipSpace() noexcept
    {
        for (;;) {
            while (position_ != end_ && IsWhiteSpace(*position_)) {
                ++position_;
            }
            if (position_ == end_ || *position_ != u'/') {
                return true;
            }
            if (end_ - position_ < 2) {
                return false;
            }
            if (position_[1] == u'/') {
                position_ = std::find(position_ + 2, end_, u'\n');
            } else if (position_[1] == u'*') {
                const char16_t close[] = {u'*', u'/'};
                const char16_t* found = std::search(position_ + 2, end_, close, close + 2);
                if (found == end_) {
                    return false;
                }
                position_ = found + 2;
            } else {
                return false;
            }
        }
    }

    const JsonNode* ParseQuoted(char16_t quote)
    {
        const char16_t* start = ++position_;
        bool escaped = false;
        const char16_t* stop = FindUnescaped(start, end_, escaped, quote);
        if (stop == nullptr || stop == end_) {
            return nullptr;
        }
        position_ = stop + 1;
        // Most texts hold no escape: they are copied straight from the input.
        if (!escaped) {
            return NewText({start, static_cast<std::size_t>(stop - start)});
        }
        text_.clear();
        if (!AppendDecoded(start, stop, text_)) {
            return nullptr;
        }
        return NewText(text_);
    }

    // Up to the character that ends a value at this place (or the end of the input), escapes
    // decoded, trailing spaces and line breaks removed.
    const JsonNode* ParseBareWord(Place place)
    {
        const char16_t* start = position_;
        bool escaped = false;
        const char16_t* stop = place == Place::Top ? FindUnescaped(start, end_, escaped)
                               : place == Place::Item
                                   ? FindUnescaped(start, end_, escaped, u',', u']')
                                   : FindUnescaped(start, end_, escaped, u',', u'}');
        if (stop == nullptr) {
            return nullptr;
        }
        position_ = stop;
        text_.clear();
        if (!AppendDecoded(start, stop, text_)) {
            return nullptr;
        }
        const std::size_t kept = text_.find_last_not_of(u" \r\n");
        text_.resize(kept == std::u16string::npos ? 0 : kept + 1);
        return NewText(text_);
    }

    const JsonNode* ParseNumber()
    {
        const char16_t* start = position_;
        while (position_ != end_ && IsNumberCharacter(*position_)) {
            ++position_;
        }
        return NumberNode({start, static_cast<std::size_t>(position_ - start)});
    }

    // True (and past it) when the keyword stands here as a word of its own.
    bool TakeKeyword(std::u16string_view word) noexcept
    {
        const auto left = static_cast<std::size_t>(end_ - position_);
        if (left < word.size() || std::u16string_view(position_, word.size()) != word) {
            return false;
        }
        if (left > word.size() && ContinuesWord(position_[word.size()])) {
            return false;
        }
        position_ += word.size();
        return true;
    }

    const JsonNode* ParseValue(Place place, int level)
    {
        if (level >= MaxLevel) {
            return nullptr;
        }
        // "(" before a value is skipped; the next character starts the value.
        while (position_ != end_ && *position_ == u'(') {
            ++position_;
        }
        if (AtEnd()) {
            return ParseBareWord(place);
        }
        switch (*position_) {
        case u'"':
        case u'\'':
            return ParseQuoted(*position_);
        case u'-':
        case u'0':
        case u'1':
        case u'2':
        case u'3':
        case u'4':
        case u'5':
        case u'6':
        case u'7':
        case u'8':
        case u'9':
            return ParseNumber();
        case u'{':
            return ParseObject(level);
        case u'[':
            return ParseArray(level);
        case u'n':
            if (TakeKeyword(u"null")) {
                return NewNode(JsonType::stNull, 0);
            }
            break;
        case u't':
            if (TakeKeyword(u"true")) {
                return NewBoolean(true);
            }
            break;
        case u'f':
            if (TakeKeyword(u"false")) {
                return NewBoolean(false);
            }
            break;
        default:
            break;
        }
        return ParseBareWord(place);
    }

    const JsonNode* ParseArray(int level)
    {
        ++position_;
        if (!SkipSpace()) {
            return nullptr;
        }
        const std::size_t first = items_.size();
        if (!AtEnd() && *position_ == u']') {
            ++position_;
            return MakeArray(first);
        }
        for (;;) {
            const JsonNode* item = ParseValue(Place::Item, level + 1);
            if (item == nullptr) {
                return nullptr;
            }
            items_.push_back(item);
            const AfterElement after = SkipSeparator(u']');
            if (after == AfterElement::Invalid) {
                return nullptr;
            }
            if (after == AfterElement::Closed) {
                return MakeArray(first);
            }
        }
    }

    enum class AfterElement { Next, Closed, Invalid };

    // After an item or member: "," (which may also stand right before the closing bracket)
    // or the closing bracket; anything else makes the parse fail.
    AfterElement SkipSeparator(char16_t closing)
    {
        if (!SkipSpace() || AtEnd()) {
            return AfterElement::Invalid;
        }
        if (*position_ == closing) {
            ++position_;
            return AfterElement::Closed;
        }
        if (*position_ != u',') {
            return AfterElement::Invalid;
        }
        ++position_;
        if (!SkipSpace()) {
            return AfterElement::Invalid;
        }
        if (!AtEnd() && *position_ == closing) {
            ++position_;
            return AfterElement::Closed;
        }
        return AfterElement::Next;
    }

    const JsonNode* MakeArray(std::size_t first)
    {
        const JsonNode* node = NewArray(items_.data() + first, items_.size() - first);
        items_.resize(first);
        return node;
    }

    // A quoted or unquoted name into the name buffer, and the position past its ":".
    bool ParseName()
    {
        if (AtEnd()) {
            return false;
        }
        const char16_t first = *position_;
        const bool quoted = first == u'"' || first == u'\'';
        if (!quoted && StartsNoName(first)) {
            return false;
        }
        const char16_t* start = quoted ? position_ + 1 : position_;
        bool escaped = false;
        const char16_t* stop = FindUnescaped(start, end_, escaped, quoted ? first : u':');
        if (stop == nullptr || stop == end_) {
            return false;
        }
        if (!escaped) {
            names_.append(start, stop);
        } else if (!AppendDecoded(start, stop, names_)) {
            return false;
        }
        position_ = stop + 1;
        if (quoted) {
            if (!SkipSpace() || AtEnd() || *position_ != u':') {
                return false;
            }
            ++position_;
        }
        return true;
    }

    const JsonNode* ParseObject(int level)
    {
        ++position_;
        if (!SkipSpace()) {
            return nullptr;
        }
        const std::size_t first = members_.size();
        const std::size_t namesStart = names_.size();
        if (!AtEnd() && *position_ == u'}') {
            ++position_;
            return MakeObject(first, namesStart);
        }
        for (;;) {
            const std::size_t nameOffset = names_.size();
            if (!ParseName() || !SkipSpace()) {
                return nullptr;
            }
            const JsonNode* value = ParseValue(Place::MemberValue, level + 1);
            if (value == nullptr) {
                return nullptr;
            }
            const std::u16string_view name(names_.data() + nameOffset, names_.size() - nameOffset);
            members_.push_back({value, MemberHash(name),
                                static_cast<std::uint32_t>(nameOffset - namesStart),
                                static_cast<std::uint32_t>(name.size()),
                                static_cast<std::uint32_t>(members_.size() - first)});
            const AfterElement after = SkipSeparator(u'}');
            if (after == AfterElement::Invalid) {
                return nullptr;
            }
            if (after == AfterElement::Closed) {
                return MakeObject(first, namesStart);
            }
        }
    }

    const JsonNode* MakeObject(std::size_t first, std::size_t namesStart)
    {
        const JsonNode* node =
            NewObject(members_.data() + first, members_.size() - first, names_.data() + namesStart);
        members_.resize(first);
        names_.resize(namesStart);
        return node;
    }

    const char16_t* position_;
    const char16_t* end_;
    std::vector<const JsonNode*> items_; // items of the open arrays
    std::vector<PendingMember> members_; // members of the open objects
    std::u16string names_;               // names of the open objects' members
    std::u16string text_;                // a text while its escapes are decoded
};

} // namespace

JsonValue ParseString(std::u16string_view text)
{
    // The input ends at its first character 0.
    const char16_t* end = FindFirstOf(text.data(), text.data() + text.size(), u'\0');
    Parser parser(text.data(), end);
    return JsonValue(parser.ParseTop());
}

} // namespace crawl::json
