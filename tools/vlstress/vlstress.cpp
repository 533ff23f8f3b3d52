// vlstress: marks word stress in a text through Stress_Dispatch, counts a
// dictionary's words and builds dictionaries from word lists.
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <unordered_set>
#include <vector>

#include "base/utf.h"
#include "contract/data_layout.h"
#include "stress/include/vldict.h"
#include "stress/xlat/recode.h"
#include "platform/app_data.h"
#include "store/file_io.h"
#include "tools/common/arguments.h"
#include "tools/common/console_text.h"
#include "tools/common/input_text.h"
#include "tools/common/progress_line.h"
#include "tools/common/utf8_main.h"
#include "tools/vlstress/import_records.h"
#include "tools/vlstress/word_records.h"

namespace vl {
namespace {

using stress_tool::LineResult;
using stress_tool::WordRecord;

constexpr const char* kUsage =
    "usage: vlstress [--db FILE] [--code-page N] [--dictionary NAME] [--words] [--count]\n"
    "                [--import LIST] [--import-festival FILE] [--quiet] [TEXT...]\n"
    "Marks word stress in TEXT (or all of standard input, UTF-8) from a dictionary database;\n"
    "scripts/build-festival-dict.sh FILE builds the Russian one.";
constexpr int32_t kDictionaryCodePage = 1251;

struct Options {
    std::optional<std::string> db;  // UTF-8
    int32_t code_page = kDictionaryCodePage;
    std::string dictionary;  // empty: the default tables
    bool words = false;
    bool count = false;
    bool quiet = false;
    std::optional<std::string> import_list;
    std::optional<std::string> import_festival;
    bool help = false;
    std::vector<std::string> text;
};

// Refused input or a failed database: reported on one line, exit status 1.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

Options parse_options(const std::vector<std::string>& args) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const auto value = [&]() -> const std::string& { return option_value(args, i); };
        if (arg == "--help") {
            options.help = true;
        } else if (arg == "--db") {
            options.db = value();
        } else if (arg == "--code-page") {
            options.code_page = parse_whole_number(value(), arg);
        } else if (arg == "--dictionary") {
            options.dictionary = value();
        } else if (arg == "--words") {
            options.words = true;
        } else if (arg == "--count") {
            options.count = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--import") {
            options.import_list = value();
        } else if (arg == "--import-festival") {
            options.import_festival = value();
        } else if (arg == "--") {
            options.text.insert(options.text.end(), args.begin() + i + 1, args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-' && arg[1] == '-') {
            throw UsageError("unknown option " + arg);
        } else {
            options.text.push_back(arg);
        }
    }
    if ((options.import_list || options.import_festival) && !options.db)
        throw UsageError("importing needs --db FILE");
    return options;
}

int32_t dispatch(int32_t command, intptr_t arg = 0, uint32_t size = 0) { return Stress_Dispatch(command, arg, size); }

// Text in the caller's code page as UTF-8.
std::string to_utf8(const std::string& text, int32_t code_page) {
    return code_page == xlat::kUtf8CodePage ? text : utf16_to_utf8(xlat::text_to_wide(text, code_page));
}

// Whether a character comes through the library unchanged: through the
// caller's code page and the code page 1251 in which it works. The others
// (accented Latin letters, symbols, other scripts) and NUL, which ends the text
// the library hands back, are kept aside and put back as they were; none of
// them could belong to a word the library looks up.
class CarriedThrough {
public:
    explicit CarriedThrough(int32_t code_page) : code_page_(code_page), known_(0x10000, kUnknown) {}
    bool operator()(char16_t c) {
        int8_t& known = known_[c];
        if (known == kUnknown) known = carried(c) ? 1 : 0;
        return known == 1;
    }

private:
    static constexpr int8_t kUnknown = -1;
    bool carried(char16_t c) const {
        if (c == 0 || (c >= 0xD800 && c <= 0xDFFF)) return false;
        const std::u16string one(1, c);
        return xlat::text_to_wide(xlat::wide_to_text(one, kDictionaryCodePage), kDictionaryCodePage) == one &&
               xlat::text_to_wide(xlat::wide_to_text(one, code_page_), code_page_) == one;
    }
    int32_t code_page_;
    std::vector<int8_t> known_;
};

// The library takes paths in the system's ANSI code page.
std::string ansi_path(const std::string& utf8) {
#if defined(_WIN32)
    return xlat::wide_to_text(utf8_to_utf16(utf8), 0);
#else
    return utf8;
#endif
}

// The database the library opens when no --db is given: the file in the
// user's application-data folder, unless (on Windows) the registry names one.
std::filesystem::path default_database_file() { return application_data_folder() / kDataFolderName / kDatabaseFileName; }
std::string default_database() {
#if defined(_WIN32)
    return "the file named by the value db of HKEY_LOCAL_MACHINE\\SOFTWARE\\Velnor SAPI\\vldict, else " +
           path_utf8(default_database_file());
#else
    return path_utf8(default_database_file());
#endif
}

// Opens the selected dictionary of the database; the library's own lookup
// chain finds the file when no --db is given. A read-only open never makes a
// database file.
class DictionarySession {
public:
    DictionarySession(const Options& options, int32_t open_command) {
        dispatch(SD_SELECT_DICTIONARY, reinterpret_cast<intptr_t>(options.dictionary.data()),
                 static_cast<uint32_t>(options.dictionary.size()));
        const std::optional<std::string> path = options.db ? std::optional(ansi_path(*options.db)) : std::nullopt;
        const std::string where = options.db.value_or(default_database());
        if (path && path->size() >= VLDICT_MAX_PATH)
            throw Failure("path too long: " + where + " (the stress library takes database paths of fewer than " +
                          std::to_string(VLDICT_MAX_PATH) + " bytes)");
        if (dispatch(open_command, path ? reinterpret_cast<intptr_t>(path->c_str()) : 0) != SD_DONE) {
            std::error_code ignored;
            if (options.db && std::filesystem::exists(utf8_path(*options.db), ignored))
                throw Failure("cannot open the dictionary database " + where);
            const std::string file = options.db.value_or(path_utf8(default_database_file()));
            throw Failure("no dictionary database at " + where +
                          "; build the Russian one with scripts/build-festival-dict.sh " + file);
        }
        if (dispatch(SD_BEGIN) != SD_DONE) {
            close();
            throw Failure("cannot read the dictionary tables of " + where);
        }
    }
    ~DictionarySession() { close(); }

private:
    void close() {
        dispatch(SD_END);
        dispatch(SD_CLOSE);
    }
};

int32_t VLDICT_CALL keep_text(intptr_t context, const char* text) {
    *reinterpret_cast<std::string*>(context) = text;
    return 0;
}

// What the word callback serves: the progress line, and the words when asked for.
struct WordWatch {
    bool print = false;
    double length = 1;  // of the text in UTF-16 units, one code page 1251 character each
    size_t offset = 0;  // of the run being stressed in the text
    ProgressLine* progress = nullptr;
    bool print_failed = false;  // reported after the call: nothing is thrown through the library
};

int32_t VLDICT_CALL watch_word(intptr_t context, int32_t position, const char* word, int32_t length) {
    WordWatch& watch = *reinterpret_cast<WordWatch*>(context);
    const size_t at = watch.offset + static_cast<size_t>(position);
    if (watch.print &&
        !write_text(stdout, std::to_string(at) + ' ' + to_utf8(std::string(word, length), kDictionaryCodePage) + '\n'))
        watch.print_failed = true;
    watch.progress->update(at / watch.length);
    return 0;
}

// The runs of the text that the library carries are stressed one by one; what
// lies between them is copied as it was.
int stress(const Options& options) {
    const std::u16string text = input_text(options.text);
    std::string output;
    {
        DictionarySession dictionary(options, SD_OPEN_READONLY);
        ProgressLine progress(!options.quiet);
        WordWatch watch{options.words, std::max<double>(1, text.size()), 0, &progress};
        std::string stressed;
        dispatch(SD_CODE_PAGE, options.code_page);
        dispatch(SD_TEXT_CALLBACK, reinterpret_cast<intptr_t>(&keep_text));
        dispatch(SD_TEXT_CONTEXT, reinterpret_cast<intptr_t>(&stressed));
        dispatch(SD_WORD_CALLBACK, reinterpret_cast<intptr_t>(&watch_word));
        dispatch(SD_WORD_CONTEXT, reinterpret_cast<intptr_t>(&watch));
        CarriedThrough carried(options.code_page);
        if (!carried(u'a')) throw Failure("code page " + std::to_string(options.code_page) + " cannot be used");
        for (size_t start = 0; start < text.size();) {
            size_t end = start;
            while (end < text.size() && carried(text[end])) ++end;
            if (end > start) {
                const std::string run = xlat::wide_to_text(std::u16string_view(text).substr(start, end - start),
                                                           options.code_page);
                watch.offset = start;
                stressed.clear();
                if (dispatch(SD_STRESS, reinterpret_cast<intptr_t>(run.data()), static_cast<uint32_t>(run.size())) != 0)
                    throw Failure("the text was refused");
                if (watch.print_failed) throw Failure("cannot write standard output");
                output += to_utf8(stressed, options.code_page);
            }
            size_t aside = end;
            while (aside < text.size() && !carried(text[aside])) ++aside;
            output += utf16_to_utf8(std::u16string_view(text).substr(end, aside - end));
            start = aside;
        }
    }
    print(output.ends_with('\n') ? output : output + '\n');
    return 0;
}

int count(const Options& options) {
    // Found read-only first, so that a missing database is reported, not made;
    // then opened for writing, so that the count is kept for the next time.
    { DictionarySession found(options, SD_OPEN_READONLY); }
    DictionarySession dictionary(options, SD_OPEN);
    int32_t words = -1;
    dispatch(SD_GET_COUNT, reinterpret_cast<intptr_t>(&words));  // counted even when it cannot be kept
    if (words < 0) throw Failure("cannot count the dictionary's words");
    print(std::to_string(words) + '\n');
    return 0;
}

std::string line_list(const std::vector<size_t>& numbers) {
    constexpr size_t kShown = 10;
    std::string text;
    for (size_t i = 0; i < numbers.size() && i < kShown; ++i) text += (i ? ", " : "") + std::to_string(numbers[i]);
    if (numbers.size() > kShown) text += " and " + std::to_string(numbers.size() - kShown) + " more";
    return text;
}

struct ListRecords {
    std::vector<WordRecord> records;
    size_t unstressed = 0;
};

// The records of a list file; any malformed line refuses the whole file.
ListRecords read_records(const std::string& file, bool festival) {
    const std::optional<std::string> bytes = read_file(utf8_path(file));
    if (!bytes) throw Failure("cannot read " + file);
    ListRecords list;
    std::unordered_set<std::string> seen;
    std::vector<size_t> malformed;
    size_t number = 0;
    for (size_t start = 0; start < bytes->size();) {
        size_t end = bytes->find('\n', start);
        if (end == std::string::npos) end = bytes->size();
        const std::string_view line(bytes->data() + start, end - start);
        start = end + 1;
        ++number;
        LineResult result = festival ? stress_tool::parse_festival_line(line) : stress_tool::parse_list_line(line);
        if (result.kind == LineResult::Kind::malformed) malformed.push_back(number);
        if (result.kind == LineResult::Kind::unstressed) ++list.unstressed;
        // A word listed twice in the Festival dictionary keeps its first stress.
        if (result.kind != LineResult::Kind::record || (festival && !seen.insert(result.record.key).second))
            continue;
        list.records.push_back(std::move(result.record));
    }
    if (!malformed.empty())
        throw Failure(file + ": nothing imported, malformed line" + (malformed.size() > 1 ? "s " : " ") +
                      line_list(malformed));
    return list;
}

int import(const Options& options, const std::string& file, bool festival) {
    const ListRecords list = read_records(file, festival);
    { DictionarySession verified(options, SD_OPEN); }  // makes the six tables of a new file
    const std::string table = options.dictionary.empty() ? "lexicon" : options.dictionary;
    const stress_tool::ImportResult result = stress_tool::import_records(*options.db, table, list.records);
    if (result == stress_tool::ImportResult::busy)
        throw Failure("the dictionary is in use by another program: nothing imported into " + *options.db +
                      "; try again when it is closed");
    if (result != stress_tool::ImportResult::done)
        throw Failure("cannot write to the dictionary database " + *options.db);
    std::string report = std::to_string(list.records.size()) + " words added";
    if (list.unstressed > 0) report += ", " + std::to_string(list.unstressed) + " without a usable stress left out";
    print(report + '\n');
    return 0;
}

int run(const std::vector<std::string>& args) {
    const Options options = parse_options(args);
    if (options.help) {
        print(std::string(kUsage) + '\n');
        return 0;
    }
    if (options.import_list) return import(options, *options.import_list, false);
    if (options.import_festival) return import(options, *options.import_festival, true);
    if (options.count) return count(options);
    return stress(options);
}

}  // namespace

int utf8_main(const std::vector<std::string>& args) {
    try {
        return run(args);
    } catch (const UsageError& error) {
        write_text(stderr, std::string("vlstress: ") + error.what() + " (vlstress --help shows the usage)\n");
        return 2;
    } catch (const std::exception& error) {
        write_text(stderr, std::string("vlstress: ") + error.what() + "\n");
    }
    return 1;
}

}  // namespace vl
