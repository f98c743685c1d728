#include "platform/os.h"
#include "platform/temp_folder.h"

#include <ctime>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

std::string read_all(std::FILE* f) {
    std::string s;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        s += static_cast<char>(c);
    return s;
}

// The host form of a path written with '/'.
std::string native(std::string path) {
#ifdef _WIN32
    for (char& c : path)
        if (c == '/') c = '\\';
#endif
    return path;
}

std::vector<std::string> names(const std::vector<os::FindData>& list) {
    std::vector<std::string> out;
    for (const auto& d : list)
        out.push_back(d.name);
    return out;
}

} // namespace

TEST(Os, currentDirectoryIsTheProcessFolderWithoutTrailingSeparator) {
    TempFolder tmp;
    std::string cwd = os::current_directory();
    EXPECT_EQ(std::filesystem::path(cwd), std::filesystem::canonical(tmp.path()));
    ASSERT_FALSE(cwd.empty());
    EXPECT_NE(cwd.back(), '/');
}

TEST(Os, hostPathTakesALeadingBackslashRelativeToTheCurrentDirectory) {
    TempFolder tmp;
    tmp.write("orvex/Navdata/navs.txt", "x");
    std::string cwd = os::current_directory();
    std::string expected = cwd + native("/orvex/Navdata/navs.txt");
    EXPECT_EQ(os::host_path("\\orvex\\Navdata\\navs.txt"), expected);
    // The module's own form: host folder followed by the backslash path.
    EXPECT_EQ(os::host_path(cwd + "\\orvex\\Navdata\\navs.txt"), expected);
    EXPECT_EQ(os::host_path("orvex\\Navdata\\navs.txt"), native("orvex/Navdata/navs.txt"));
    EXPECT_EQ(os::host_path("orvex/Navdata//navs.txt"), native("orvex/Navdata/navs.txt"));
    EXPECT_EQ(os::host_path(""), "");
}

// On Windows the file system itself matches names without regard to case.
#ifndef _WIN32
TEST(Os, hostPathMatchesEachComponentWithoutRegardToCase) {
    TempFolder tmp;
    tmp.write("orvex/Navdata/navs.txt", "x");
    std::string cwd = os::current_directory();
    EXPECT_EQ(os::host_path("\\ORVEX\\navdata\\NAVS.TXT"), cwd + "/orvex/Navdata/navs.txt");
    EXPECT_EQ(os::host_path(cwd + "\\Orvex\\NavData\\Navs.Txt"), cwd + "/orvex/Navdata/navs.txt");
    // A missing file in a found folder keeps its given name; a missing folder
    // keeps itself and everything below it as given.
    EXPECT_EQ(os::host_path("\\ORVEX\\NAVDATA\\new.txt"), cwd + "/orvex/Navdata/new.txt");
    EXPECT_EQ(os::host_path("\\ORVEX\\Missing\\Sub\\f.txt"), cwd + "/orvex/Missing/Sub/f.txt");
}

TEST(Os, hostPathPrefersTheExactNameAndPicksTheFirstOfSeveralVariants) {
    TempFolder tmp;
    tmp.write("fp/temp.rte", "lower");
    tmp.write("fp/Temp.RTE", "mixed");
    tmp.write("fp/TEMP.rte", "upper");
    std::string cwd = os::current_directory();
    EXPECT_EQ(os::host_path("\\fp\\Temp.RTE"), cwd + "/fp/Temp.RTE");
    EXPECT_EQ(os::host_path("\\fp\\temp.rte"), cwd + "/fp/temp.rte");
    // No exact match: of the three variants the first by byte order wins.
    EXPECT_EQ(os::host_path("\\fp\\tEMP.RTE"), cwd + "/fp/TEMP.rte");
}
#endif

TEST(Os, openFileWritesOneNameAndReadsItUnderAnother) {
    TempFolder tmp;
    tmp.mkdir("orvex/FlightPlans");
    std::FILE* w = os::open_file("\\orvex\\flightplans\\temp.rte", "w");
    ASSERT_NE(w, nullptr);
    std::fputs("first", w);
    std::fclose(w);
    EXPECT_TRUE(std::filesystem::exists("orvex/FlightPlans/temp.rte"));

    std::FILE* r = os::open_file(os::current_directory() + "\\ORVEX\\FlightPlans\\Temp.RTE", "r");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(read_all(r), "first");
    std::fclose(r);

    // Writing under yet another spelling replaces the one file.
    w = os::open_file("\\orvex\\flightplans\\TEMP.rte", "w");
    ASSERT_NE(w, nullptr);
    std::fputs("second", w);
    std::fclose(w);
    auto listed = os::find_files("\\orvex\\FlightPlans\\*.*");
    EXPECT_EQ(names(listed), std::vector<std::string>{"temp.rte"});
    r = os::open_file("\\orvex\\flightplans\\temp.rte", "r");
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(read_all(r), "second");
    std::fclose(r);

    EXPECT_EQ(os::open_file("\\orvex\\nothere\\x.txt", "r"), nullptr);
    EXPECT_EQ(os::open_file("", "r"), nullptr);
}

// For reading, only a regular file is opened; anything else is refused
// before a byte is read, and says why. Nothing waits on a pipe.
TEST(Os, openFileReadsOnlyRegularFiles) {
    TempFolder tmp;
    tmp.write("orvex/plan.rte", "x");
    tmp.mkdir("orvex/folder.rte");
    struct Row {
        std::string path;
        bool opens;
        os::OpenFailure failure;
    };
    std::vector<Row> rows = {
        {"\\orvex\\plan.rte", true, os::OpenFailure::None},
        {"\\orvex\\none.rte", false, os::OpenFailure::Missing},
        {"\\orvex\\folder.rte", false, os::OpenFailure::NotRegular},
#ifdef _WIN32
        {"NUL", false, os::OpenFailure::NotRegular},
#else
        {"/dev/zero", false, os::OpenFailure::NotRegular},
        {"/dev/urandom", false, os::OpenFailure::NotRegular},
        {"\\orvex\\fifo.rte", false, os::OpenFailure::NotRegular},
#endif
    };
#ifndef _WIN32
    ASSERT_EQ(::mkfifo("orvex/fifo.rte", 0600), 0);
#endif
    for (const Row& row : rows) {
        std::FILE* f = os::open_file(row.path, "r");
        EXPECT_EQ(f != nullptr, row.opens) << row.path;
        EXPECT_EQ(os::last_open_failure(), row.failure) << row.path;
        if (f) std::fclose(f);
    }
}

TEST(Os, findFilesListsMatchingNamesSortedWithoutDotEntries) {
    TempFolder tmp;
    tmp.write("sim/fsx.exe", "");
    tmp.mkdir("sim/Missions");
    tmp.mkdir("sim/SimObjects");
    tmp.write("sim/Plans/b.rte", "");
    tmp.write("sim/Plans/A.RTE", "");
    tmp.write("sim/Plans/c.PLN", "");
    tmp.write("sim/Plans/d.rte.bak", "");
    tmp.write("sim/Plans/rte", "");

    auto all = os::find_files(os::current_directory() + "\\sim\\*.*");
    ASSERT_EQ(names(all), (std::vector<std::string>{"fsx.exe", "Missions", "Plans", "SimObjects"}));
    EXPECT_FALSE(all[0].is_directory);
    EXPECT_TRUE(all[1].is_directory);
    EXPECT_TRUE(all[3].is_directory);

    EXPECT_EQ(names(os::find_files("\\SIM\\plans\\*.rte")), (std::vector<std::string>{"A.RTE", "b.rte"}));
    EXPECT_EQ(names(os::find_files("\\sim\\Plans\\?.pln")), std::vector<std::string>{"c.PLN"});
    EXPECT_EQ(names(os::find_files("\\sim\\Plans\\*")).size(), 5u);
    EXPECT_TRUE(os::find_files("\\sim\\NoSuchFolder\\*.*").empty());
    EXPECT_TRUE(os::find_files("\\sim\\Plans\\").empty());

    // A pattern without a folder lists the current directory.
    EXPECT_EQ(names(os::find_files("s*")), std::vector<std::string>{"sim"});
}

TEST(Os, nameOrderFoldsCaseThenPutsThePrefixFirstThenBreaksTiesByTheBytes) {
    EXPECT_TRUE(os::name_less("a.rte", "B.rte"));
    EXPECT_FALSE(os::name_less("B.rte", "a.rte"));
    EXPECT_TRUE(os::name_less("plan", "PLAN1"));
    EXPECT_TRUE(os::name_less("PLAN", "plan"));
    EXPECT_FALSE(os::name_less("plan", "plan"));
    // '_' lies between the capitals and the small letters: folded, it sorts before both.
    EXPECT_TRUE(os::name_less("_", "Z"));
}

TEST(Os, wildcardMatchFollowsWindowsRulesWithoutRegardToCase) {
    struct Row {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Row rows[] = {
        {"*.rte", "KJFK-KBOS.RTE", true},
        {"*.rte", "plan.rte.bak", false},
        {"*.rte", "rte", false},
        {"*.*", "fsx.exe", true},
        {"*.*", "Missions", true},
        {"f*.*", "fsx", true},
        {"g*.*", "fsx", false},
        {"?.rte", "ab.rte", false},
        {"??.rte", "AB.rte", true},
        {"a?c", "ABC", true},
        {"a?c", "AC", false},
        {"*", "", true},
        {"", "", true},
        {"", "a", false},
        {"*x", "", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXbYY", false},
        {"*ab", "aab", true},
        {"*.r?e", "k.RTE", true},
        {"**", "abc", true},
        {"abc", "abcd", false},
    };
    for (const auto& r : rows)
        EXPECT_EQ(os::wildcard_match(r.pattern, r.name), r.match) << r.pattern << " vs " << r.name;
    EXPECT_FALSE(os::wildcard_match(nullptr, "a"));
}

TEST(Os, systemTimeFieldsMatchTheCalendarOfTheClock) {
    std::time_t before = std::time(nullptr);
    os::SystemTime utc = os::system_time_utc();
    std::time_t after = std::time(nullptr);

    std::tm t{};
    t.tm_year = utc.year - 1900;
    t.tm_mon = utc.month - 1;
    t.tm_mday = utc.day;
    t.tm_hour = utc.hour;
    t.tm_min = utc.minute;
    t.tm_sec = utc.second;
#ifdef _WIN32
    std::time_t back = ::_mkgmtime(&t);
#else
    std::time_t back = ::timegm(&t);
#endif
    // time() may read a coarse clock a tick behind the precise one.
    EXPECT_GE(back, before);
    EXPECT_LE(back, after + 1);
    EXPECT_EQ(utc.day_of_week, t.tm_wday); // the conversion normalised tm_wday from the date
    EXPECT_LT(utc.milliseconds, 1000);

    os::SystemTime local = os::system_time_local();
    EXPECT_GE(local.month, 1);
    EXPECT_LE(local.month, 12);
    EXPECT_GE(local.day, 1);
    EXPECT_LE(local.day, 31);
    EXPECT_LE(local.day_of_week, 6);
}

TEST(Os, memoryFilesStandForTheirPathForReadingOnly) {
    TempFolder tmp;
    tmp.write("orvex/disk.txt", "on disk");
    os::set_memory_file("\\orvex\\Navdata\\navs.txt", std::string("a\0b\n", 4));
    // Case and separator kind do not matter; the bytes come back whole.
    std::FILE* f = os::open_file("/ORVEX/navdata/NAVS.TXT", "r");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(read_all(f), std::string("a\0b\n", 4));
    std::fclose(f);
    // Other paths still reach the disk, and writing is never redirected.
    f = os::open_file("\\orvex\\disk.txt", "r");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(read_all(f), "on disk");
    std::fclose(f);
    f = os::open_file("\\orvex\\Navdata\\navs.txt", "w");
    EXPECT_EQ(f, nullptr); // the folder does not exist on disk
    // An empty memory file opens and is empty.
    os::set_memory_file("\\empty.txt", "");
    f = os::open_file("\\empty.txt", "rb");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(read_all(f), "");
    std::fclose(f);

    os::set_memory_files_only(true);
    EXPECT_EQ(os::open_file("\\orvex\\disk.txt", "r"), nullptr);
    f = os::open_file("\\orvex\\disk.txt", "w"); // written into nothing
    ASSERT_NE(f, nullptr);
    EXPECT_GE(std::fputs("lost", f), 0); // non-negative on success
    std::fclose(f);
    os::clear_memory_files();
    EXPECT_EQ(os::open_file("\\orvex\\Navdata\\navs.txt", "r"), nullptr);
    f = os::open_file("\\orvex\\disk.txt", "r");
    ASSERT_NE(f, nullptr); // clearing also ends memory-only reading
    EXPECT_EQ(read_all(f), "on disk");
    std::fclose(f);
}
