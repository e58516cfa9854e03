// The help beside the modules, read as the help launcher and a browser read
// it: every topic that the add-in's and the wizard's sources open has its
// page, every link between the pages leads somewhere, and the wizard's
// topic has a section for every page of the wizard.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kHelp = fs::path(POLLENTA_BIN_DIR) / "Pollenta.chm";
const fs::path kSources = POLLENTA_SOURCE_DIR;
// Where the windows that offer Help live; tests open topics of their own.
const char* const kCallerFolders[] = {"addin", "wizard", "controls"};

std::string ReadText(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<fs::path> SourceFiles()
{
    std::vector<fs::path> files;
    for (const char* folder : kCallerFolders)
        for (const auto& entry : fs::recursive_directory_iterator(kSources / folder)) {
            const std::string path = entry.path().string();
            const std::string extension = entry.path().extension().string();
            if (entry.is_regular_file() && (extension == ".cpp" || extension == ".h") &&
                path.find("/tests/") == std::string::npos)
                files.push_back(entry.path());
        }
    return files;
}

// Named topic numbers as the sources declare them ("constexpr DWORD kTopic = 1;").
std::map<std::string, unsigned> TopicConstants(const std::vector<fs::path>& files)
{
    static const std::regex declaration(R"((?:constexpr|const)\s+(?:DWORD|UINT|int|unsigned)\s+(\w+)\s*=\s*(\d+)\s*;)");
    std::map<std::string, unsigned> constants;
    for (const fs::path& file : files) {
        const std::string text = ReadText(file);
        for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it)
            constants[(*it)[1]] = static_cast<unsigned>(std::stoul((*it)[2]));
    }
    return constants;
}

struct TopicCall {
    std::string where;
    std::string topic;  // as written: a number or a constant's name
};

std::vector<TopicCall> TopicCalls(const std::vector<fs::path>& files)
{
    static const std::regex call(R"(ShowHelpTopic\s*\([^,()]*(?:\([^()]*\))?[^,()]*,\s*(\w+)\s*\))");
    std::vector<TopicCall> calls;
    for (const fs::path& file : files) {
        const std::string text = ReadText(file);
        for (std::sregex_iterator it(text.begin(), text.end(), call), end; it != end; ++it)
            calls.push_back({fs::relative(file, kSources).string(), (*it)[1]});
    }
    return calls;
}

std::set<std::string> Matches(const std::string& text, const std::regex& pattern)
{
    std::set<std::string> found;
    for (std::sregex_iterator it(text.begin(), text.end(), pattern), end; it != end; ++it)
        found.insert((*it)[1]);
    return found;
}

std::set<std::string> AnchorsOf(const std::string& page)
{
    static const std::regex id(R"re(\sid="([^"]+)")re");
    return Matches(page, id);
}

}  // namespace

TEST(HelpPagesTest, EveryTopicThatTheSourcesOpenHasItsPageBesideTheModules)
{
    const std::vector<fs::path> files = SourceFiles();
    const std::map<std::string, unsigned> constants = TopicConstants(files);
    const std::vector<TopicCall> calls = TopicCalls(files);
    std::set<unsigned> topics;
    for (const TopicCall& call : calls) {
        SCOPED_TRACE(call.where + ": " + call.topic);
        unsigned topic = 0;
        if (std::isdigit(static_cast<unsigned char>(call.topic[0])))
            topic = static_cast<unsigned>(std::stoul(call.topic));
        else if (auto found = constants.find(call.topic); found != constants.end())
            topic = found->second;
        else
            ADD_FAILURE() << "the topic's number is not declared in the sources";
        topics.insert(topic);
        EXPECT_TRUE(fs::is_regular_file(kHelp / (std::to_string(topic) + ".html")));
    }
    // The add-in's Help (the menu, the picker, the options page, the log
    // dialogs) and the wizard's.
    EXPECT_GE(calls.size(), 8u);
    EXPECT_EQ((std::set<unsigned>{1, 5}), topics);
    EXPECT_TRUE(fs::is_regular_file(kHelp / "index.html"));
}

TEST(HelpPagesTest, EveryLinkOfTheHelpLeadsToAPageAndPlaceThatExist)
{
    static const std::regex link(R"re(\s(?:href|src)="([^"]+)")re");
    std::size_t links = 0;
    for (const auto& entry : fs::directory_iterator(kHelp)) {
        if (entry.path().extension() != ".html")
            continue;
        const std::string page = ReadText(entry.path());
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_NE(std::string::npos, page.find("<meta charset=\"utf-8\">"));
        EXPECT_NE(std::string::npos, page.find("</html>"));
        for (const std::string& target : Matches(page, link)) {
            SCOPED_TRACE(target);
            ++links;
            if (target.find("://") != std::string::npos)
                continue;
            const std::size_t hash = target.find('#');
            const std::string file = target.substr(0, hash);
            const fs::path linked = file.empty() ? entry.path() : kHelp / file;
            ASSERT_TRUE(fs::is_regular_file(linked));
            if (hash != std::string::npos)
                EXPECT_EQ(1u, AnchorsOf(ReadText(linked)).count(target.substr(hash + 1)));
        }
    }
    EXPECT_GT(links, 15u);
}

TEST(HelpPagesTest, TheAddinTopicExplainsEveryWindowOfTheAddinAndTheWizardTopicEveryWizardPage)
{
    const std::set<std::string> addin = AnchorsOf(ReadText(kHelp / "1.html"));
    for (const char* section : {"menu", "picker", "sending", "options", "logviewer", "logsettings"})
        EXPECT_EQ(1u, addin.count(section)) << section;

    // One section of the wizard's topic for every page that the wizard registers.
    std::set<std::string> pages;
    for (const auto& entry : fs::recursive_directory_iterator(kSources / "wizard/app/src"))
        if (entry.is_regular_file())
            for (const std::string& page : Matches(ReadText(entry.path()), std::regex(R"(Register\((IDD_PAGE_\w+))")))
                pages.insert(page);
    const std::string wizard = ReadText(kHelp / "5.html");
    const std::set<std::string> sections = Matches(wizard, std::regex(R"re(<h2 id="([^"]+)")re"));
    EXPECT_EQ(11u, pages.size());
    EXPECT_EQ(pages.size(), sections.size());
}
