#include "crawl/record/MobileFilter.h"

#include "CaseName.h"

#include <gtest/gtest.h>

namespace crawl {
namespace {

struct PhonesCase {
    const char* name;
    std::u16string phones;
    bool mobile;
};

class HasMobilePhoneTest : public testing::TestWithParam<PhonesCase> {};

TEST_P(HasMobilePhoneTest, FindsAMobilePiece)
{
    EXPECT_EQ(HasMobilePhone(GetParam().phones), GetParam().mobile);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HasMobilePhoneTest,
    testing::Values(PhonesCase{"Empty", u"", false}, PhonesCase{"BlanksOnly", u" \t ", false},
                    PhonesCase{"NullText", u"null", false},
                    PhonesCase{"ElevenDigitsWith79", u"+7 (916) 123-45-67", true},
                    PhonesCase{"ElevenDigitsWith89", u"8-916-123-45-67", true},
                    PhonesCase{"TenDigitsWith9", u"916 123 45 67", true},
                    PhonesCase{"Landline", u"+7 (495) 123-45-67", false},
                    PhonesCase{"SecondPieceAfterComma", u"+7 (495) 123-45-67, +7 (916) 123-45-67",
                               true},
                    PhonesCase{"SecondPieceAfterSemicolon", u"84951234567;89161234567", true},
                    PhonesCase{"ExtensionCut", u"+7 (495) 123-45-67 доб. 916", false},
                    PhonesCase{"ExtensionCutsLaterPieces",
                               u"+7 (495) 123-45-67 доб. 1, 8 916 123-45-67", false},
                    PhonesCase{"CapitalisedExtensionCut", u"+7 (916) 123-45-67 Доб. 5", true},
                    PhonesCase{"UpperCaseExtensionCut", u"+7 (916) 123-45-67 ДОБ 5", true},
                    PhonesCase{"ExtensionInsideAWord", u"Удобно: 8 916 123 45 67", false},
                    PhonesCase{"SecretaryCutsLaterPieces",
                               u"+7 495 123-45-67 (Секретарь), 8 916 123 45 67", false},
                    PhonesCase{"UpperCaseSecretaryCut", u"СЕКРЕТАРЬ: 8 916 123 45 67", false},
                    PhonesCase{"ColonSeparatesTheLabel", u"тел: 8(916)123-45-67", true},
                    PhonesCase{"SlashSeparatesTheEnding", u"+7 916 123 45 67/68", true},
                    PhonesCase{"TwoNumbersInOnePiece", u"8 916 123 45 67 8 916 123 45 68", false},
                    PhonesCase{"TrailingSeparator", u"8 916 123 45 67;", true},
                    PhonesCase{"SeparatorsOnly", u"; , /", false},
                    PhonesCase{"OtherScriptDigitsDropped",
                               u"\u0669\u0661\u0666\u0661\u0662\u0663\u0664"
                               u"\u0665\u0666\u0667",
                               false}),
    CaseName<PhonesCase>);

struct DigitsCase {
    const char* name;
    std::u16string digits;
    bool mobile;
};

class IsMobileNumberTest : public testing::TestWithParam<DigitsCase> {};

TEST_P(IsMobileNumberTest, ChecksLengthAndLeadingDigits)
{
    EXPECT_EQ(IsMobileNumber(GetParam().digits), GetParam().mobile);
}

INSTANTIATE_TEST_SUITE_P(Cases, IsMobileNumberTest,
                         testing::Values(DigitsCase{"TenWith9", u"9161234567", true},
                                         DigitsCase{"TenWith8", u"8161234567", false},
                                         DigitsCase{"TenWith79", u"7916123456", false},
                                         DigitsCase{"ElevenWith89", u"89161234567", true},
                                         DigitsCase{"ElevenWith79", u"79161234567", true},
                                         DigitsCase{"ElevenWith74", u"74951234567", false},
                                         DigitsCase{"ElevenWith9", u"99161234567", false},
                                         DigitsCase{"Nine", u"916123456", false},
                                         DigitsCase{"Twelve", u"791612345678", false},
                                         DigitsCase{"Empty", u"", false}),
                         CaseName<DigitsCase>);

TEST(DigitsOnly, KeepsAsciiDigitsInOrder)
{
    EXPECT_EQ(DigitsOnly(u"+7 (916) 12-3\u0663x4"), u"79161234");
    EXPECT_EQ(DigitsOnly(u"доб."), u"");
}

struct DecisionCase {
    const char* name;
    std::u16string phones;
    bool mobilesOnly;
    bool keep;
    std::u16string logText;
};

class DecideKeepTest : public testing::TestWithParam<DecisionCase> {};

TEST_P(DecideKeepTest, DecidesAndWordsTheLogLine)
{
    const KeepDecision decision =
        DecideKeep(u"ООО \"Ромашка\"", GetParam().phones, GetParam().mobilesOnly);
    EXPECT_EQ(decision.Keep, GetParam().keep);
    EXPECT_EQ(decision.LogText, GetParam().logText);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DecideKeepTest,
    testing::Values(
        DecisionCase{"UntickedKeepsEmptyPhones", u"", false, true,
                     u"Добавлено в базу: ООО \"Ромашка\"; "},
        DecisionCase{"UntickedKeepsLandline", u"+7 (495) 123-45-67", false, true,
                     u"Добавлено в базу: ООО \"Ромашка\"; +7 (495) 123-45-67"},
        DecisionCase{"TickedSkipsEmptyPhones", u"  ", true, false,
                     u"Пропускаем, нет мобильного телефона: ООО \"Ромашка\";   "},
        DecisionCase{"TickedSkipsLandline", u"+7 (495) 123-45-67", true, false,
                     u"Пропускаем, нет мобильного телефона: ООО \"Ромашка\"; +7 (495) 123-45-67"},
        DecisionCase{"TickedKeepsMobile", u"+7 (495) 123-45-67, 8 916 123 45 67", true, true,
                     u"Добавлено в базу: ООО \"Ромашка\"; +7 (495) 123-45-67, 8 916 123 45 67"}),
    CaseName<DecisionCase>);

} // namespace
} // namespace crawl
