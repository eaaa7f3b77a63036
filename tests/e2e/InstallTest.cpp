// The build folder installed under a temporary prefix and moved before it runs: the programs
// find what ships with them relative to themselves, wherever the prefix ends up.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <string>
#include <tuple>

#include "support/TestSupport.h"

namespace {

using testing_support::Quoted;
using testing_support::RunCommand;
using testing_support::RunResult;
using testing_support::ShellQuote;
using testing_support::TempDir;

class InstallTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        s_dir = new TempDir;
        const RunResult install =
            RunCommand("cmake --install " + Quoted(testing_support::BinaryDir()) + " --prefix " +
                       Quoted(*s_dir / "first"));
        ASSERT_EQ(install.exitCode, 0) << install.out << install.err;
        std::filesystem::rename(*s_dir / "first", Prefix());
    }
    static void TearDownTestSuite() {
        delete s_dir;
        s_dir = nullptr;
    }
    static std::filesystem::path Prefix() { return *s_dir / "moved"; }
    static std::string Shared(const std::string& file) {
        return (Prefix() / "share/typeloom" / file).string();
    }
    // Runs the installed console program from the root folder.
    static RunResult Run(const std::string& arguments, const std::string& lang = "C") {
        return RunCommand("cd / && env -u LC_ALL -u LC_MESSAGES LANG=" + lang + " " +
                          Quoted(Prefix() / "bin/vela_typeloomc") + " " + arguments);
    }

    static TempDir* s_dir;
};
TempDir* InstallTest::s_dir = nullptr;

TEST_F(InstallTest, AMovedInstallationConvertsWithItsDataAndLanguageLibrary) {
    for (const char* file : {"bin/vela_typeloomc", "lib/typeloom/1041/typeloom_langRes.so",
                             "share/typeloom/xggp/sample.xggp", "share/typeloom/xllt/sample.xllt",
                             "share/man/man1/vela_typeloomc.1.gz", "share/doc/typeloom/copyright",
                             "share/doc/typeloom/changelog.gz"}) {
        EXPECT_TRUE(std::filesystem::is_regular_file(Prefix() / file)) << file;
    }
    EXPECT_FALSE(std::filesystem::exists(Prefix() / "bin/1041"));

    // In Japanese: the warning comes from the moved language library.
    const std::string out = (Prefix() / "sample.bmp").string();
    const std::string ascii = ShellQuote(Shared("xlor/ascii.xlor"));
    const RunResult run = Run("-i image -if " + ShellQuote(Shared("sample/sample.bmp")) + " -io " +
                                  ascii + " -ic IA4 -o image -of " + ShellQuote(out) + " -oo " +
                                  ascii + " -ow 40 -oh 40 -or 1",
                              "ja_JP.UTF-8");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(run.out.starts_with("警告: ")) << run.out;
    EXPECT_TRUE(std::filesystem::is_regular_file(out));
    // Errors too; another language looks in another folder, finds nothing and prints our own.
    for (const auto& [lang, error, message] :
         {std::tuple{"ja_JP.UTF-8", "エラー: コマンドラインエラー", "無効なオプションです (x)。"},
          {"de_DE.UTF-8", "Error: Command line error", "Invalid option (x)."}}) {
        const RunResult failed = Run("-x", lang);
        EXPECT_EQ(failed.exitCode, 2);
        EXPECT_TRUE(
            failed.err.starts_with(std::string(error) + ": (CCmdLine::Analyze@CmdLine.cpp:"))
            << failed.err;
        EXPECT_NE(failed.err.find(std::string(")\n") + message + " (GetLastError="),
                  std::string::npos);
    }
}

TEST_F(InstallTest, BashCompletesOptionsKeywordsFamiliesAndFiles) {
    const std::string script =
        (Prefix() / "share/bash-completion/completions/vela_typeloomc").string();
    const struct {
        std::string words;
        std::string completions;
    } cases[] = {
        {"-i win -ic ''", "I1\nI4\nI6\nIA1\nIA4\nIA6\n"},
        {"-i image -ic IA", "IA4\nIA8\n"},
        {"-oe ''", "utf8\nutf16\nsjis\ncp1252\n"},
        {"-o image -oc", "-ocb\n-ocg\n-ocm\n-ocw\n-ocn\n"},
        {"-is ''", ""},
        {"-in 'DejaVu Sans M'", "DejaVu Sans Mono\n"},
        {"-in DejaVu\\ Sans\\ Mono : Boo", "Book\n"},
        {"-inf 'IPAGothic' :", "Regular\n"},
        {"-i win -ic ia", "IA1\nIA4\nIA6\n"},
        {"-oe SJ", "sjis\n"},
        {"-oo cp9", "cp932.xlor\n"},
        {"-f sam", "sample.xllt\n"},
        {"-io " + ShellQuote(Shared("xlor/as")), Shared("xlor/ascii.xlor") + "\n"},
        {"-op " + ShellQuote(Shared("xlor/as")), ""},
    };
    for (const auto& c : cases) {
        const std::string program = "source " + ShellQuote(script) + "; COMP_WORDS=(" +
                                    Quoted(Prefix() / "bin/vela_typeloomc") + " " + c.words +
                                    "); COMP_CWORD=$((${#COMP_WORDS[@]} - 1)); _vela_typeloomc; "
                                    "printf '%s\\n' \"${COMPREPLY[@]}\" | sed '/^$/d'";
        const RunResult run = RunCommand("cd / && bash -c " + ShellQuote(program));
        EXPECT_EQ(run.out, c.completions) << c.words << run.err;
    }
}

TEST_F(InstallTest, ShippedFilesAreTakenByNameFromAnyFolder) {
    const std::string out = (Prefix() / "named.bmp").string();
    const RunResult run =
        Run("-i image -if " + ShellQuote(Shared("sample/sample.bmp")) +
            " -io ascii -ic IA4 -o image -of " + ShellQuote(out) + " -oo ascii.xlor -f sample");
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_TRUE(std::filesystem::is_regular_file(out));
    const RunResult list = Run("--list-files");
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, "Letter orders (-io, -oo) in " + Shared("xlor") +
                            ":\n  ascii.xlor   ASCII\n  cp1252.xlor  Code page 1252\n"
                            "  cp932.xlor   Japanese (code page 932)\nGlyph groups (-op) in " +
                            Shared("xggp") +
                            ":\n  sample.xggp  Sample groups\nCharacter filters (-f) in " +
                            Shared("xllt") + ":\n  sample.xllt  Score display\n");
}

// What a user sees: keys typed into an interactive bash in a terminal, with the system's
// completion library loaded when it is there and the installed script, then the line as it
// stands after Tab, and what the completed command does.
class Terminal {
public:
    explicit Terminal(const std::filesystem::path& home) : m_name("tl" + std::to_string(getpid())) {
        const std::filesystem::path rc = home / "bashrc";
        testing_support::WriteFileText(
            rc,
            "PS1='$ '\nbind 'set bell-style none'\n"
            "[ -r /usr/share/bash-completion/bash_completion ] && "
            ". /usr/share/bash-completion/bash_completion\n"
            ". " +
                ShellQuote((home / "share/bash-completion/completions/vela_typeloomc").string()) +
                "\nexport PATH=" + ShellQuote((home / "bin").string()) + ":$PATH\ncd " +
                ShellQuote((home / "work").string()) + "\n");
        std::filesystem::create_directories(home / "work");
        m_started = RunCommand("tmux -L " + m_name + " new-session -d -x 200 -y 20 -s " + m_name +
                               " 'env -i HOME=/tmp TERM=xterm PATH=/usr/bin:/bin LANG=C bash "
                               "--noprofile --rcfile " +
                               rc.string() + " -i'")
                        .exitCode == 0;
    }
    ~Terminal() { RunCommand("tmux -L " + m_name + " kill-server 2>/dev/null"); }
    bool Started() const { return m_started; }

    // Types the keys (tmux key names) and waits until the last line of the screen settles.
    std::string Type(const std::string& keys) {
        RunCommand("tmux -L " + m_name + " send-keys -t " + m_name + " " + keys);
        std::string line;
        for (int i = 0; i < 50; ++i) {
            usleep(100000);
            const std::string now = LastLine();
            if (now == line && i > 2) {
                break;
            }
            line = now;
        }
        return line;
    }
    // Clears the line being edited.
    void Clear() { RunCommand("tmux -L " + m_name + " send-keys -t " + m_name + " C-u"); }
    std::string Screen() {
        return RunCommand("tmux -L " + m_name + " capture-pane -p -t " + m_name).out;
    }

private:
    std::string LastLine() {
        std::string screen = Screen();
        while (!screen.empty() && (screen.back() == '\n' || screen.back() == ' ')) {
            screen.pop_back();
        }
        return screen.substr(screen.rfind('\n') + 1);
    }

    std::string m_name;
    bool m_started = false;
};

TEST_F(InstallTest, BashCompletesInATerminalAsTheCommandNeedsIt) {
    if (RunCommand("command -v tmux").exitCode != 0) {
        GTEST_SKIP() << "tmux is not installed (tools/setup.sh installs it)";
    }
    Terminal terminal(Prefix());
    ASSERT_TRUE(terminal.Started());
    terminal.Type("Enter");
    const struct {
        std::string keys;  // tmux send-keys arguments
        std::string line;  // the line after them, prompt included
    } cases[] = {
        {"'vela_typeloomc -i win -in DejaVu\\ Sans\\ Mo' Tab",
         "$ vela_typeloomc -i win -in DejaVu\\ Sans\\ Mono"},
        {"'vela_typeloomc -in \"DejaVu Sans M' Tab", "$ vela_typeloomc -in \"DejaVu Sans Mono\""},
        {"'vela_typeloomc -in DejaVu\\ Sans\\ Mono:Bol' Tab",
         "$ vela_typeloomc -in DejaVu\\ Sans\\ Mono:Bold"},
        {"'vela_typeloomc -in \"DejaVu Sans Mono:Boo' Tab",
         "$ vela_typeloomc -in \"DejaVu Sans Mono:Book\""},
        {"'vela_typeloomc -i win -ic ia' Tab", "$ vela_typeloomc -i win -ic IA"},
        {"'vela_typeloomc -oe SJ' Tab", "$ vela_typeloomc -oe sjis"},
        {"'vela_typeloomc -oo asc' Tab", "$ vela_typeloomc -oo ascii.xlor"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(terminal.Type(c.keys), c.line) << c.keys;
        terminal.Clear();
    }
    // A completed family runs as it reads.
    terminal.Type("'vela_typeloomc -i win -in DejaVu\\ Sans\\ Mo' Tab");
    terminal.Type("' -is 16 -ic I4 -o bofnt -of x.bofnt; echo rc=$?' Enter");
    EXPECT_NE(terminal.Screen().find("\nrc=0\n"), std::string::npos) << terminal.Screen();
}

// The CMake package as a game project uses it: the sample project, copied out of the source
// tree, converts its fonts against the moved installation, gives the bytes the console program
// gives for the same options, and converts again only what a changed input feeds.
TEST_F(InstallTest, ACMakeProjectConvertsItsFontsWhileItBuilds) {
    const std::filesystem::path project = *s_dir / "example";
    const std::filesystem::path build = *s_dir / "example-build";
    std::filesystem::copy(testing_support::SourceDir() / "examples/cmake", project);
    const RunResult configure =
        RunCommand("cmake -G Ninja -S " + Quoted(project) + " -B " + Quoted(build) +
                   " -DCMAKE_PREFIX_PATH=" + Quoted(Prefix()));
    ASSERT_EQ(configure.exitCode, 0) << configure.out << configure.err;
    const auto Build = [&build] {
        const RunResult run = RunCommand("cmake --build " + Quoted(build));
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        return run.out;
    };
    Build();

    const std::string image = " -i image -if " + ShellQuote(Shared("sample/sample.bmp")) + " -io " +
                              ShellQuote(Shared("xlor/ascii.xlor")) + " -ic IA4";
    const struct {
        std::string output;
        std::string options;
    } cases[] = {
        {"fonts/sample.bofnt", image},
        {"fonts/score.bofna", image + " -oe utf8 -f " + Quoted(project / "score.xllt") + " -op " +
                                  Quoted(project / "score.xggp")},
    };
    for (const auto& c : cases) {
        const std::filesystem::path direct = *s_dir / std::filesystem::path(c.output).filename();
        const RunResult run = Run(c.options + " -o bofnt -of " + Quoted(direct));
        ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
        EXPECT_EQ(testing_support::ReadFileBytes(build / c.output),
                  testing_support::ReadFileBytes(direct))
            << c.output;
    }

    EXPECT_NE(Build().find("ninja: no work to do."), std::string::npos);
    std::filesystem::last_write_time(project / "score.xllt",
                                     std::filesystem::file_time_type::clock::now());
    const std::string again = Build();
    EXPECT_NE(again.find("Converting font fonts/score.bofna"), std::string::npos) << again;
    EXPECT_EQ(again.find("fonts/sample.bofnt"), std::string::npos) << again;
}

}  // namespace
