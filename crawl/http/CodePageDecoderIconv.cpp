#include "crawl/http/CodePageDecoder.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <iterator>

namespace crawl::http {
namespace {

struct ConverterName {
    unsigned codePage;
    const char* name;
};

// The converter's name for each Windows code page it has, sorted by code page. The
// UTF-16 and UTF-32 code pages name their byte order, so a byte-order mark stays a character.
constexpr std::array ConverterNames = std::to_array<ConverterName>({
    {37, "IBM037"},         {437, "IBM437"},        {500, "IBM500"},       {775, "IBM775"},
    {850, "IBM850"},        {852, "IBM852"},        {855, "IBM855"},       {857, "IBM857"},
    {858, "IBM858"},        {860, "IBM860"},        {861, "IBM861"},       {862, "IBM862"},
    {863, "IBM863"},        {864, "IBM864"},        {865, "IBM865"},       {866, "IBM866"},
    {869, "IBM869"},        {870, "IBM870"},        {874, "CP874"},        {932, "CP932"},
    {936, "CP936"},         {949, "CP949"},         {950, "CP950"},        {1026, "IBM1026"},
    {1047, "IBM1047"},      {1140, "IBM1140"},      {1141, "IBM1141"},     {1142, "IBM1142"},
    {1143, "IBM1143"},      {1144, "IBM1144"},      {1145, "IBM1145"},     {1146, "IBM1146"},
    {1147, "IBM1147"},      {1148, "IBM1148"},      {1149, "IBM1149"},     {1200, "UTF-16LE"},
    {1201, "UTF-16BE"},     {1250, "CP1250"},       {1251, "CP1251"},      {1252, "CP1252"},
    {1253, "CP1253"},       {1254, "CP1254"},       {1255, "CP1255"},      {1256, "CP1256"},
    {1257, "CP1257"},       {1258, "CP1258"},       {10000, "MACINTOSH"},  {12000, "UTF-32LE"},
    {12001, "UTF-32BE"},    {20127, "US-ASCII"},    {20273, "IBM273"},     {20277, "IBM277"},
    {20278, "IBM278"},      {20280, "IBM280"},      {20284, "IBM284"},     {20285, "IBM285"},
    {20290, "IBM290"},      {20297, "IBM297"},      {20420, "IBM420"},     {20423, "IBM423"},
    {20424, "IBM424"},      {20866, "KOI8-R"},      {20871, "IBM871"},     {20880, "IBM880"},
    {20905, "IBM905"},      {20932, "EUC-JP"},      {21866, "KOI8-U"},     {28591, "ISO-8859-1"},
    {28592, "ISO-8859-2"},  {28593, "ISO-8859-3"},  {28594, "ISO-8859-4"}, {28595, "ISO-8859-5"},
    {28596, "ISO-8859-6"},  {28597, "ISO-8859-7"},  {28598, "ISO-8859-8"}, {28599, "ISO-8859-9"},
    {28603, "ISO-8859-13"}, {28605, "ISO-8859-15"}, {38598, "ISO-8859-8"}, {50220, "ISO-2022-JP"},
    {50225, "ISO-2022-KR"}, {51932, "EUC-JP-MS"},   {54936, "GB18030"},    {65000, "UTF-7"},
    {65001, "UTF-8"},
});

static_assert(std::is_sorted(ConverterNames.begin(), ConverterNames.end(),
                             [](const ConverterName& left, const ConverterName& right) {
                                 return left.codePage < right.codePage;
                             }),
              "sorted by code page for the binary search");

// Output of one converter call; a longer text takes several calls.
constexpr std::size_t ConversionChunkBytes = 16384;

const char* ConverterNameOf(unsigned codePage)
{
    const auto found = std::lower_bound(
        ConverterNames.begin(), ConverterNames.end(), codePage,
        [](const ConverterName& entry, unsigned wanted) { return entry.codePage < wanted; });
    return found != ConverterNames.end() && found->codePage == codePage ? found->name : nullptr;
}

void AppendUtf16Le(std::u16string& text, const char* bytes, std::size_t size)
{
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                             (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    }
}

} // namespace

std::optional<std::u16string> DecodeCodePage(unsigned codePage, std::string_view bytes)
{
    const char* converterName = ConverterNameOf(codePage);
    if (converterName == nullptr) {
        return std::nullopt;
    }
    const iconv_t converter = iconv_open("UTF-16LE", converterName);
    // NOLINTNEXTLINE(performance-no-int-to-ptr): the converter's documented failure value
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        return std::nullopt;
    }
    std::u16string text;
    text.reserve(bytes.size());
    char buffer[ConversionChunkBytes];
    char* input = const_cast<char*>(bytes.data());
    std::size_t inputLeft = bytes.size();
    while (inputLeft > 0) {
        char* output = buffer;
        std::size_t outputLeft = sizeof buffer;
        const std::size_t result = iconv(converter, &input, &inputLeft, &output, &outputLeft);
        AppendUtf16Le(text, buffer, static_cast<std::size_t>(output - buffer));
        if (result == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // A byte that starts no valid sequence, or a sequence cut off at the end.
            text.push_back(u'\uFFFD');
            ++input;
            --inputLeft;
        }
    }
    iconv_close(converter);
    return text;
}

} // namespace crawl::http
