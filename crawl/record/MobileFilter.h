#pragma once

#include <string>
#include <string_view>

// The optional filter that keeps only organisations reachable on a mobile phone of the Russian
// numbering plan: ten digits beginning with 9, or eleven beginning with 79 or 89.
namespace crawl {

// The characters "0" to "9" of the text, in order; every other character is dropped.
std::u16string DigitsOnly(std::u16string_view text);

// True for a digit string of one of the two mobile forms.
bool IsMobileNumber(std::u16string_view digits);

// True when one piece of the phones text is a mobile number. Pieces are separated by ",", "/",
// ":" and ";"; an extension ("доб") or a secretary's number ("секретарь") ends the text, in
// any letter case.
bool HasMobilePhone(std::u16string_view phones);

struct KeepDecision {
    bool Keep = true;
    // The log line of the decision.
    std::u16string LogText;
};

// Keep or skip one member by its cleaned short name and phones; with `mobilesOnly` off every
// member is kept and the phones are not looked at.
KeepDecision DecideKeep(std::u16string_view shortName, std::u16string_view phones,
                        bool mobilesOnly);

} // namespace crawl
