// dbfgen: writes DBF tables for trying the program and for the benchmark.
//   dbfgen demo DIR                      a small folder of realistic tables
//   dbfgen bench --rows N [--seed S] [--deleted PERCENT] DIR
//                                        a large Visual FoxPro table and a small join table

#include "BenchDbfWriter.h"
#include "support/CodePage.h"

#include <QString>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using dbfquery::bench::BenchDbfWriter;
using Value = BenchDbfWriter::Value;
using dbfquery::support::CodePage;

struct Random {
    std::uint64_t state;
    std::uint64_t next() {
        std::uint64_t z = (state += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return int(next() % std::uint64_t(n)); }
};

const char* const maleSurnames[] = {"Иванов", "Смирнов", "Кузнецов", "Попов", "Васильев", "Петров",
    "Соколов", "Михайлов", "Новиков", "Фёдоров", "Морозов", "Волков", "Алексеев", "Лебедев", "Семёнов",
    "Егоров", "Павлов", "Козлов", "Степанов", "Николаев", "Орлов", "Андреев", "Макаров", "Никитин",
    "Захаров", "Зайцев", "Соловьёв", "Борисов", "Яковлев", "Григорьев"};
const char* const maleNames[] = {"Александр", "Сергей", "Дмитрий", "Андрей", "Алексей", "Максим",
    "Евгений", "Иван", "Михаил", "Артём", "Николай", "Владимир", "Павел", "Игорь", "Юрий"};
const char* const femaleNames[] = {"Елена", "Ольга", "Наталья", "Татьяна", "Ирина", "Анна",
    "Светлана", "Мария", "Екатерина", "Юлия", "Людмила", "Галина", "Марина", "Дарья", "Ксения"};
const char* const patronymicRoots[] = {"Александров", "Сергеев", "Дмитриев", "Андреев", "Алексеев",
    "Иванов", "Михайлов", "Николаев", "Владимиров", "Павлов", "Петров", "Викторов"};
struct City { const char* name; const char* region; int population; };
const City cities[] = {
    {"Москва", "Центральный", 13010112}, {"Санкт-Петербург", "Северо-Западный", 5601911},
    {"Новосибирск", "Сибирский", 1633595}, {"Екатеринбург", "Уральский", 1544376},
    {"Казань", "Приволжский", 1308660}, {"Нижний Новгород", "Приволжский", 1228199},
    {"Челябинск", "Уральский", 1189525}, {"Красноярск", "Сибирский", 1187771},
    {"Самара", "Приволжский", 1173299}, {"Уфа", "Приволжский", 1144809},
    {"Ростов-на-Дону", "Южный", 1142162}, {"Омск", "Сибирский", 1125695},
    {"Краснодар", "Южный", 1099344}, {"Воронеж", "Центральный", 1057681},
    {"Пермь", "Приволжский", 1034002}, {"Волгоград", "Южный", 1028036},
    {"Саратов", "Приволжский", 901361}, {"Тюмень", "Уральский", 847488},
    {"Тольятти", "Приволжский", 684709}, {"Барнаул", "Сибирский", 630877},
    {"Ижевск", "Приволжский", 646277}, {"Хабаровск", "Дальневосточный", 617441},
    {"Ульяновск", "Приволжский", 624518}, {"Иркутск", "Сибирский", 617264},
    {"Владивосток", "Дальневосточный", 603519}, {"Ярославль", "Центральный", 577279},
    {"Томск", "Сибирский", 568508}, {"Оренбург", "Приволжский", 564773},
    {"Кемерово", "Сибирский", 557119}, {"Рязань", "Центральный", 533794},
    {"Архангельск", "Северо-Западный", 301199}, {"Мурманск", "Северо-Западный", 270384},
    {"Калининград", "Северо-Западный", 489359}, {"Сочи", "Южный", 466078},
    {"Якутск", "Дальневосточный", 355443}, {"Вологда", "Северо-Западный", 310302},
};
const char* const notes[] = {"Переведён из другого отдела.", "Работает удалённо по вторникам и четвергам.",
    "Командировка в филиал до конца квартала.", "Наставник для новых сотрудников.",
    "Отпуск по уходу за ребёнком; замещает коллега из соседнего отдела.",
    "Ведёт проект по переходу на новую учётную систему.\r\nОтчёт сдаёт ежемесячно."};
const char* const items[] = {"Бумага А4, пачка", "Картридж для принтера", "Степлер", "Папка-регистратор",
    "Ручка шариковая, синяя", "Калькулятор настольный", "Флеш-накопитель 32 ГБ", "Клавиатура", "Мышь",
    "Монитор 24\"", "Кресло офисное", "Чай чёрный, 100 пакетиков"};

std::string encoded(const CodePage& cp, const char* utf8) {
    return cp.encode(QString::fromUtf8(utf8)).bytes.toStdString();
}

std::string fixed2(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.2f", v);
    return b;
}

std::string date(int y, int m, int d) {
    char b[16];
    std::snprintf(b, sizeof b, "%04d%02d%02d", y, m, d);
    return b;
}

std::string randomDate(Random& r, int fromYear, int years) {
    return date(fromYear + r.below(years), 1 + r.below(12), 1 + r.below(28));
}

// A full Russian name in the code page, man or woman.
std::string personName(Random& r, const CodePage& cp, bool* female = nullptr) {
    const bool woman = r.below(2) == 1;
    if (female)
        *female = woman;
    std::string surname = maleSurnames[r.below(std::size(maleSurnames))];
    std::string patronymic = patronymicRoots[r.below(std::size(patronymicRoots))];
    if (woman) {
        surname += "а";
        patronymic += "на";
    } else {
        patronymic += "ич";
    }
    const char* first = woman ? femaleNames[r.below(std::size(femaleNames))] : maleNames[r.below(std::size(maleNames))];
    return encoded(cp, (surname + " " + first + " " + patronymic).c_str());
}

void demo(const std::filesystem::path& dir) {
    std::filesystem::create_directories(dir);
    Random r{20260101};
    const CodePage& cp866 = CodePage::cp866();
    const CodePage& cp1251 = CodePage::cp1251();

    // Cities: dBase III, code page 1251 marked.
    BenchDbfWriter city((dir / "cities.dbf").string(), 0x03, 0xC9,
                        {{"ID", 'N', 4, 0}, {"NAME", 'C', 30, 0}, {"REGION", 'C', 30, 0}, {"POPUL", 'N', 10, 0}});
    const int cityCount = 20;
    for (int i = 0; i < cityCount; ++i)
        city.add({Value::of(std::to_string(i + 1)), Value::of(encoded(cp1251, cities[i].name)),
                  Value::of(encoded(cp1251, cities[i].region)), Value::of(std::to_string(cities[i].population))});
    city.finish();

    // Staff: Visual FoxPro, code page 866 marked, memo notes, a few deleted.
    BenchDbfWriter people((dir / "people.dbf").string(), 0x30, 0x65,
                          {{"ID", 'I'}, {"FIO", 'C', 40, 0}, {"CITY_ID", 'N', 4, 0}, {"BORN", 'D'},
                           {"HIRED", 'T'}, {"SALARY", 'N', 10, 2}, {"RATE", 'B'}, {"BONUS", 'Y'},
                           {"ACTIVE", 'L'}, {"NOTE", 'M'}});
    const int peopleCount = 240;
    for (int i = 0; i < peopleCount; ++i) {
        Value hired = Value::of(randomDate(r, 2000, 25));
        hired.integer = (8 + r.below(3)) * 3600000 + r.below(60) * 60000;
        Value rate = Value::num(0.25 * (1 + r.below(4)));
        const double salary = 25000 + r.below(150000) + r.below(100) / 100.0;
        people.add({Value::whole(i + 1), Value::of(personName(r, cp866)),
                    Value::of(i % 17 == 5 ? std::string() : std::to_string(1 + r.below(cityCount + 2))),
                    Value::of(i % 23 == 7 ? std::string() : randomDate(r, 1960, 45)), hired,
                    Value::of(i % 19 == 3 ? std::string() : fixed2(salary)), rate,
                    Value::num(r.below(2000000) / 100.0), Value::of(r.below(5) ? "T" : "F"),
                    Value::of(r.below(4) == 0 ? encoded(cp866, notes[r.below(std::size(notes))]) : std::string())},
                   i % 41 == 13);
    }
    people.finish();

    // Orders: dBase III without a code-page mark, in code page 866, as old
    // Russian tables often are.
    BenchDbfWriter orders((dir / "orders.dbf").string(), 0x03, 0x00,
                          {{"NUM", 'N', 6, 0}, {"PERSON_ID", 'N', 6, 0}, {"ITEM", 'C', 30, 0},
                           {"QTY", 'N', 5, 0}, {"PRICE", 'N', 10, 2}, {"ODATE", 'D'}, {"PAID", 'L'}});
    for (int i = 0; i < 600; ++i)
        orders.add({Value::of(std::to_string(1000 + i)), Value::of(std::to_string(1 + r.below(peopleCount))),
                    Value::of(encoded(cp866, items[r.below(std::size(items))])), Value::of(std::to_string(1 + r.below(20))),
                    Value::of(fixed2(50 + r.below(20000) + r.below(100) / 100.0)), Value::of(randomDate(r, 2023, 3)),
                    Value::of(r.below(3) ? "T" : "F")},
                   i % 97 == 11);
    orders.finish();
}

void bench(const std::filesystem::path& dir, long rows, std::uint64_t seed, int deletedPercent) {
    std::filesystem::create_directories(dir);
    Random r{seed};
    const CodePage& cp866 = CodePage::cp866();
    const int cityCount = int(std::size(cities));

    BenchDbfWriter city((dir / "city.dbf").string(), 0x30, 0x65,
                        {{"ID", 'I'}, {"NAME", 'C', 30, 0}, {"REGION", 'C', 30, 0}});
    for (int i = 0; i < cityCount; ++i)
        city.add({Value::whole(i + 1), Value::of(encoded(cp866, cities[i].name)), Value::of(encoded(cp866, cities[i].region))});
    city.finish();

    std::vector<std::string> cityNames;
    for (const City& c : cities)
        cityNames.push_back(encoded(cp866, c.name));
    std::vector<std::string> encodedNotes;
    for (const char* n : notes)
        encodedNotes.push_back(encoded(cp866, n));

    BenchDbfWriter big((dir / "big.dbf").string(), 0x30, 0x65,
                       {{"ID", 'I'}, {"NAME", 'C', 50, 0}, {"CITY", 'C', 30, 0}, {"CITY_ID", 'I'},
                        {"AGE", 'N', 3, 0}, {"SALARY", 'N', 10, 2}, {"BONUS", 'N', 8, 2}, {"HIRED", 'D'},
                        {"ACTIVE", 'L'}, {"PHONE", 'C', 16, 0}, {"NOTE", 'M'}});
    std::vector<Value> row(11);
    char phone[32];
    for (long i = 0; i < rows; ++i) {
        const int c = r.below(cityCount);
        std::snprintf(phone, sizeof phone, "+7 9%02d %03d-%02d-%02d", r.below(100), r.below(1000), r.below(100), r.below(100));
        row[0] = Value::whole(i + 1);
        row[1] = Value::of(personName(r, cp866));
        row[2] = Value::of(cityNames[c]);
        row[3] = Value::whole(c + 1);
        row[4] = Value::of(std::to_string(18 + r.below(50)));
        row[5] = Value::of(fixed2(20000 + r.below(180000) + r.below(100) / 100.0));
        row[6] = Value::of(r.below(10) ? fixed2(r.below(5000000) / 100.0) : std::string());
        row[7] = Value::of(randomDate(r, 1995, 30));
        row[8] = Value::of(r.below(5) ? "T" : "F");
        row[9] = Value::of(phone);
        row[10] = Value::of(r.below(20) == 0 ? encodedNotes[r.below(int(encodedNotes.size()))] : std::string());
        big.add(row, r.below(100) < deletedPercent);
    }
    big.finish();
}

int usage() {
    std::fputs("usage: dbfgen demo DIR | dbfgen bench --rows N [--seed S] [--deleted PERCENT] DIR\n", stderr);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    try {
        const std::vector<std::string> args(argv + 1, argv + argc);
        if (args.size() == 2 && args[0] == "demo") {
            demo(args[1]);
            return 0;
        }
        if (!args.empty() && args[0] == "bench") {
            long rows = 1000000;
            std::uint64_t seed = 1;
            int deleted = 1;
            std::string dir;
            for (std::size_t i = 1; i < args.size(); ++i) {
                if (args[i] == "--rows" && i + 1 < args.size())
                    rows = std::stol(args[++i]);
                else if (args[i] == "--seed" && i + 1 < args.size())
                    seed = std::stoull(args[++i]);
                else if (args[i] == "--deleted" && i + 1 < args.size())
                    deleted = std::stoi(args[++i]);
                else if (dir.empty())
                    dir = args[i];
                else
                    return usage();
            }
            if (dir.empty() || rows < 0)
                return usage();
            bench(dir, rows, seed, deleted);
            return 0;
        }
        return usage();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "dbfgen: %s\n", e.what());
        return 1;
    }
}
