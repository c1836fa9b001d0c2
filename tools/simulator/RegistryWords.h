#pragma once

#include <string_view>

// The words that the generated registry is made of. A word listed twice is drawn twice as often.
namespace simulator {

struct Region {
    std::string_view subject;     // base_subject.title
    std::string_view city;        // the city of most members from there
    std::string_view areaCode;    // of its landlines; with the subscriber number ten digits
    std::string_view indexPrefix; // of its postal codes
    std::string_view innPrefix;   // of its tax ids
    std::string_view sroArea;     // how an SRO name says "of this region"
};

inline constexpr Region Regions[] = {
    {"г. Москва", "Москва", "495", "1", "77", "Москвы"},
    {"г. Москва", "Москва", "499", "1", "77", "столицы"},
    {"Московская обл.", "Химки", "495", "141", "50", "Подмосковья"},
    {"Московская область", "Подольск", "4967", "142", "50", "Московской области"},
    {"г. Санкт-Петербург", "Санкт-Петербург", "812", "19", "78", "Северо-Запада"},
    {"Свердловская обл.", "Екатеринбург", "343", "620", "66", "Урала"},
    {"Новосибирская область", "Новосибирск", "383", "630", "54", "Сибири"},
    {"Республика Татарстан", "Казань", "843", "420", "16", "Татарстана"},
    {"Краснодарский край", "Краснодар", "861", "350", "23", "Кубани"},
    {"Самарская обл.", "Самара", "846", "443", "63", "Поволжья"},
    {"Калининградская область", "Калининград", "4012", "236", "39", "Балтики"},
    {"Нижегородская обл.", "Нижний Новгород", "831", "603", "52", "Нижегородской области"},
    {"Ростовская область", "Ростов-на-Дону", "863", "344", "61", "Юга России"},
};

inline constexpr std::string_view Localities[] = {
    "пос. Южный",  "с. Каменка",       "рп. Кольцово",    "д. Горки",
    "пгт. Мирный", "ст-ца Полтавская", "пос. Коммунарка", "п. Шушары",
};

inline constexpr std::string_view Streets[] = {
    "ул. Ленина",      "ул. Советская",    "пр-т Мира",          "Ленинградское ш.",
    "пер. Садовый",    "ул. 8 Марта",      "наб. реки Фонтанки", "ул. Промышленная",
    "Проспект Победы", "ул. Гагарина",     "бул. Строителей",    "ул. Заводская",
    "ул.&nbsp;Лесная", "ул. Карла Маркса", "Северный пр-д",      "ул. Мичурина",
};

inline constexpr std::string_view RomanNumerals[] = {"I",   "II",   "III", "IV", "V",  "VI",
                                                     "VII", "VIII", "IX",  "X",  "XI", "XII"};

inline constexpr std::string_view PhoneSeparators[] = {", ",   ", ",     ",", "<br>",
                                                       "<br>", "<br />", "; "};

inline constexpr std::string_view LegalForms[] = {"ООО", "ООО", "ООО", "ООО", "ООО",
                                                  "АО",  "АО",  "ЗАО", "ПАО"};
inline constexpr std::string_view NamePrefixes[] = {"", "", "", "", "ПСК ", "СК ", "ПКФ ", "НПО "};
inline constexpr std::string_view NestedPrefixes[] = {"ПСК ", "СК ", "ТД ", "Фирма "};
inline constexpr std::string_view NameHeads[] = {
    "Строй",   "Мост",   "Спец",  "Гидро",  "Энерго",    "Техно",    "Проект", "Монтаж",
    "Инвест",  "Гранит", "Альфа", "Вектор", "Регион",    "Север",    "Урал",   "Сибирь",
    "Капитал", "Профи",  "Дом",   "Тепло",  "Вертикаль", "Меридиан", "Лидер",  "Прогресс",
};
inline constexpr std::string_view NameTails[] = {
    "Строй",   "Монтаж", "Сервис", "Проект", "Инжиниринг",  " Групп", "Комплекс", "Трест",
    "Холдинг", "-М",     " Плюс",  "Альянс", "СтройСервис", "",       "",         "",
};

inline constexpr std::string_view MemberStatuses[] = {"Является членом", "Исключен",
                                                      "Прекратил членство"};

inline constexpr std::string_view Surnames[] = {
    "Иванов",   "Петров",   "Смирнов", "Кузнецов", "Соколов", "Попов",   "Лебедев", "Козлов",
    "Новиков",  "Морозов",  "Волков",  "Зайцев",   "Павлов",  "Семенов", "Голубев", "Виноградов",
    "Богданов", "Воробьев", "Федоров", "Михайлов", "Беляев",  "Тарасов", "Белов",   "Комаров",
    "Орлов",    "Киселев",  "Макаров", "Андреев",  "Ковалев", "Ильин",
};
inline constexpr std::string_view MaleNames[] = {"Александр", "Сергей",  "Дмитрий", "Андрей",
                                                 "Алексей",   "Михаил",  "Игорь",   "Владимир",
                                                 "Николай",   "Евгений", "Олег",    "Павел"};
inline constexpr std::string_view FemaleNames[] = {"Елена", "Ольга",    "Наталья", "Татьяна",
                                                   "Ирина", "Светлана", "Марина",  "Анна"};

struct Patronymic {
    std::string_view male;
    std::string_view female;
};
inline constexpr Patronymic Patronymics[] = {
    {"Александрович", "Александровна"}, {"Сергеевич", "Сергеевна"},
    {"Иванович", "Ивановна"},           {"Петрович", "Петровна"},
    {"Николаевич", "Николаевна"},       {"Владимирович", "Владимировна"},
    {"Михайлович", "Михайловна"},       {"Андреевич", "Андреевна"},
    {"Викторович", "Викторовна"},
};
inline constexpr std::string_view DirectorTitles[] = {"Генеральный директор", "Директор",
                                                      "Президент", "Управляющий"};

struct Trade {
    std::string_view plural; // "of builders" etc.
    std::string_view letter; // in the SRO's registration number
};
inline constexpr Trade Trades[] = {
    {"строителей", "С"}, {"строителей", "С"}, {"проектировщиков", "П"}, {"изыскателей", "И"}};
inline constexpr std::string_view SroBodies[] = {"Объединение", "Гильдия", "Союз", "Содружество",
                                                 "Межрегиональное объединение"};

} // namespace simulator
