#pragma once

#include "tools/simulator/RegistryWords.h"

#include <cstddef>
#include <initializer_list>
#include <string>

// The texts of one generated member or SRO, each drawn from the generator it is given.
namespace simulator {

class SplitMix64;

// The index of the weight that a draw falls on, each index as likely as its weight.
std::size_t Weighted(SplitMix64& random, std::initializer_list<int> weights);
// A decimal number from `low` to `high`.
std::string Number(SplitMix64& random, int low, int high);
// `prefix` followed by random digits up to `length` digits in all.
std::string Digits(SplitMix64& random, std::string prefix, std::size_t length);

std::string PersonName(SplitMix64& random);
// "ООО &quot;СтройМонтаж&quot;", "АО «Мост-12»", "ИП Иванов Иван Иванович", ...
std::string ShortName(SplitMix64& random, bool soleTrader);
// "2019-04-12T00:00:00" or "2019-04-12", now and then with a time of day.
std::string RegistrationDate(SplitMix64& random);
// None to three mobiles and landlines of the region in one field, extensions after "доб.".
std::string Phones(SplitMix64& random, const Region& region);
std::string House(SplitMix64& random);
std::string Building(SplitMix64& random); // often empty
std::string Room(SplitMix64& random);     // often empty
std::string Director(SplitMix64& random);
std::string SroDescription(SplitMix64& random, const Region& region);

} // namespace simulator
