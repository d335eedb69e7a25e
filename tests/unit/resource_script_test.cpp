// The dialog templates of src/res/*.rc: every control named by a macro of a
// *_res.h, no two controls of one template with the same id, no mnemonic
// (&X) twice in one template.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The problems of the templates in `script`, with `ids` the values of the
// resource macros. A control's text and id stand on the line of its keyword.
std::vector<std::string> CheckTemplates(const std::string& script,
                                        const std::map<std::string, int>& ids) {
    static const std::regex kTemplate(R"(^(\w+)\s+DIALOGEX?\b.*)");
    static const std::regex kKeyword(
        R"(^\s*([LRC]TEXT|(DEF)?PUSHBUTTON|EDITTEXT|AUTOCHECKBOX|GROUPBOX|CONTROL)\b)");
    static const std::regex kControl(R"re(^\s*[A-Z]+\s+(?:"([^"]*)"\s*,\s*)?(-?\w+)\s*,)re");
    std::vector<std::string> problems;
    std::string name;
    std::map<int, std::string> idNames;
    std::set<char> mnemonics;
    const auto problem = [&](std::initializer_list<std::string> parts) {
        std::string text = name + ":";
        for (const std::string& part : parts)
            text += part;
        problems.push_back(text);
    };
    std::istringstream lines(script);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_match(line, match, kTemplate)) {
            name = match[1];
            idNames.clear();
            mnemonics.clear();
            continue;
        }
        if (name.empty() || !std::regex_search(line, kKeyword)) continue;
        if (!std::regex_search(line, match, kControl)) {
            problem({" unreadable ", line});
            continue;
        }
        const std::string text = match[1];
        const std::string id = match[2];
        const auto value = ids.find(id);
        if (value == ids.end()) {
            problem({" ", id, " is not a name"});
        } else if (value->second != -1 && !idNames.emplace(value->second, id).second) {
            problem({" ", idNames[value->second], " and ", id, " are both ",
                     std::to_string(value->second)});
        }
        for (std::size_t at = text.find('&'); at != std::string::npos && at + 1 < text.size();
             at = text.find('&', at + 2)) {
            const char key = static_cast<char>(std::toupper(text[at + 1]));
            if (key != '&' && !mnemonics.insert(key).second) problem({" &", {key}, " twice"});
        }
    }
    return problems;
}

TEST(ResourceScripts, TheCheckFindsUnnamedAndRepeatedIdsAndMnemonics) {
    const std::map<std::string, int> ids = {
        {"IDB_A", 1001}, {"IDE_B", 1002}, {"IDX_C", 1001}, {"IDT_NONE", -1}};
    const struct {
        const char* script;
        std::vector<std::string> problems;
    } cases[] = {
        {"IDD_A DIALOGEX 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"&Go\", IDB_A, 1, 1, 1, 1\n"
         "  EDITTEXT IDE_B, 1, 1, 1, 1\n  LTEXT \":\", IDT_NONE, 1, 1, 1, 1\n"
         "  LTEXT \"a&&b &G\", IDT_NONE, 1, 1, 1, 1\nEND\n",
         {"IDD_A: &G twice"}},
        {"IDD_A DIALOGEX 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"&Go\", IDB_A, 1, 1, 1, 1\n"
         "  AUTOCHECKBOX \"&go on\", IDX_C, 1, 1,\n                WS_TABSTOP\nEND\n",
         {"IDD_A: IDB_A and IDX_C are both 1001", "IDD_A: &G twice"}},
        {"IDD_A DIALOGEX 0, 0, 9, 9\nBEGIN\n  CONTROL \"\", 1002, \"SysListView32\",\n"
         "      LVS_REPORT, 1, 1, 1, 1\nEND\n",
         {"IDD_A: 1002 is not a name"}},
        {"IDD_A DIALOGEX 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"&Go\",\n    IDB_A, 1, 1, 1, 1\nEND\n",
         {"IDD_A: unreadable   PUSHBUTTON \"&Go\","}},
        {"IDD_A DIALOGEX 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"&Go\", IDB_A, 1, 1, 1, 1\nEND\n"
         "IDD_B DIALOGEX 0, 0, 9, 9\nBEGIN\n  PUSHBUTTON \"&Go\", IDB_A, 1, 1, 1, 1\nEND\n",
         {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckTemplates(c.script, ids), c.problems) << c.script;
}

TEST(ResourceScripts, TheProgramsTemplatesPassTheCheck) {
    const std::filesystem::path folder = std::filesystem::path(LDG_SOURCE_DIR) / "src" / "res";
    std::map<std::string, int> ids;
    std::vector<std::filesystem::path> scripts;
    static const std::regex kDefine(R"(#define\s+(ID[A-Z]?_\w+)\s+\(?(-?\d+)\)?\s*)");
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string file = entry.path().filename().string();
        if (entry.path().extension() == ".rc") scripts.push_back(entry.path());
        if (file.size() < 6 || file.compare(file.size() - 6, 6, "_res.h") != 0) continue;
        std::istringstream lines(ReadText(entry.path()));
        for (std::string line; std::getline(lines, line);) {
            std::smatch define;
            if (std::regex_match(line, define, kDefine)) ids[define[1]] = std::stoi(define[2]);
        }
    }
    ASSERT_GE(scripts.size(), 3u);
    ASSERT_GT(ids.size(), 80u);
    for (const auto& script : scripts) {
        EXPECT_EQ(CheckTemplates(ReadText(script), ids), std::vector<std::string>{}) << script;
    }
}

}  // namespace
