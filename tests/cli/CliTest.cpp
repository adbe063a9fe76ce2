// The tracewin tool as a user meets it: each command line run through the
// shell in a fresh folder, its exit code and what it prints; and every
// example command of the README and docs/, run as written.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct SRun {
    int iExit = -1;
    std::string sOutput; // standard output and error together
    // Enough of the output to see what went wrong.
    std::string Shown() const { return sOutput.size() > 600 ? sOutput.substr(0, 600) + "..." : sOutput; }
};

// A fresh working folder with `tracewin` first on the PATH.
class CCliFolder {
public:
    CCliFolder()
    {
        m_Dir = fs::temp_directory_path() / ("tracewin-cli-" + std::to_string(::getpid()) + "-" +
                                             std::to_string(s_iCount++));
        fs::remove_all(m_Dir);
        fs::create_directories(m_Dir);
    }
    ~CCliFolder()
    {
        std::error_code error;
        fs::remove_all(m_Dir, error);
    }
    // Runs a shell command line in the folder.
    SRun Run(const std::string& sCommand) const
    {
        const std::string sLine = "cd '" + m_Dir.string() + "' && PATH='" + fs::path(TRACEWIN_CLI).parent_path().string() +
                                  "':\"$PATH\" && { " + sCommand + "\n} 2>&1";
        SRun run;
        FILE* pPipe = ::popen(sLine.c_str(), "r");
        if (!pPipe) return run;
        std::array<char, 4096> buffer{};
        size_t n = 0;
        while ((n = std::fread(buffer.data(), 1, buffer.size(), pPipe)) > 0) run.sOutput.append(buffer.data(), n);
        const int iStatus = ::pclose(pPipe);
        run.iExit = WIFEXITED(iStatus) ? WEXITSTATUS(iStatus) : -1;
        return run;
    }

private:
    fs::path m_Dir;
    static inline int s_iCount = 0;
};

struct SCase {
    const char* szCommand;
    int iExit;
    const char* szText; // found in the output
};

void RunInOrder(const std::vector<SCase>& aCases)
{
    const CCliFolder folder;
    for (const SCase& c : aCases) {
        const SRun run = folder.Run(c.szCommand);
        EXPECT_EQ(run.iExit, c.iExit) << c.szCommand << "\n" << run.Shown();
        EXPECT_NE(run.sOutput.find(c.szText), std::string::npos) << c.szCommand << "\n" << run.Shown();
    }
}

} // namespace

// What the documented examples (below) leave out: help, and refusals of
// less common mistakes.
TEST(Cli, EveryCommandHelpsAndSaysWhyItRefuses)
{
    RunInOrder({
        {"tracewin --help", 0, "commands:"},
        {"tracewin units --help", 0, "usage: tracewin units"},
        {"tracewin convert --help", 0, "usage: tracewin convert"},
        {"tracewin info --help", 0, "usage: tracewin info"},
        {"tracewin save --help", 0, "usage: tracewin save"},
        {"tracewin limit -h", 0, "usage: tracewin limit"},
        {"tracewin units", 0, "UNIT_NUMPERIODS"},
        // Columns padded by characters, not bytes: one width with "µs" rows.
        {"tracewin units | python3 -c 'import sys; print(len({len(l) for l in sys.stdin}), \"width\")'", 0, "1 width"},
        {"tracewin units --bogus", 2, "unknown option '--bogus'"},
        {"tracewin info", 2, "no file given"},
        {"tracewin convert 1000 Hz bins --rate 0", 2, "--rate: it must be above 0"},
        {"tracewin convert 1 V dBu --range-mv -1", 2, "--range-mv: it must be above 0"},
        {"tracewin convert 1 V dBu --fft 1000.5", 2, "a whole number"},
        {"tracewin convert 1 V dBu --freq inf", 2, "not a finite number"},
        {"tracewin convert 5G Hex dBFS", 2, "nor a Hex value"},
        {"tracewin save", 2, "no output file"},
        {"tracewin save -o no/such/folder/x.trc", 1, "cannot write 'no/such/folder/x.trc'"},
        {"tracewin save -o .", 2, "'.' is a folder, not a file"},
        {"tracewin limit -o x.lim", 2, "give one of --trace FILE and --table FILE"},
        {"tracewin limit --table t.txt -o ./", 2, "'./' is a folder, not a file"},
        {"tracewin limit --trace missing.trc -o x.lim", 1, "'missing.trc': no such file"},
        {"tracewin limit --trace x.trc --offset nan -o x.lim", 2, "bad value 'nan' for --offset"},
        {"printf '1 2\\n' > t.txt && tracewin limit --table t.txt --y-unit Hz -o x.lim", 2, "no trace shows Hz over Hz"},
        {"tracewin script missing.py", 1, "cannot read 'missing.py': no such file"},
#ifdef TRACEWIN_HAVE_PYTHON
        // The script sees its arguments and the module; its exit code is the command's.
        {"printf 'import sys, tracewin\\nprint(tracewin.Window().TW_GetCurrentTrace(), sys.argv[1:])\\n' > s.py && "
         "tracewin script s.py x", 0, "-1 ['x']"},
        {"printf 'raise SystemExit(4)\\n' > e.py && tracewin script e.py", 4, ""},
#endif
#ifdef TRACEWIN_HAVE_RENDER
        {"tracewin render --help", 0, "usage: tracewin render"},
        {"tracewin render --live 0 -o none.png", 2, "bad block count '0'"},
        // A scope trace's offset limits enclose it on both sides of zero.
        {"tracewin save --kind scope -o s.trc && tracewin limit --trace s.trc --offset 1 -o up.lim && "
         "tracewin limit --trace s.trc --offset -1 -o lo.lim && "
         "tracewin render --traces scope --limit max:up.lim --limit min:lo.lim -o m.png", 0, "PASS"},
        {"tracewin render --traces scope --limit max:lo.lim -o m.png", 3, "at 1024 points"},
        // No desktop login: no runtime-folder warning from Qt.
        {"env -u XDG_RUNTIME_DIR tracewin render --size 64x48 -o quiet.png 2>&1 | grep -c XDG_RUNTIME_DIR", 1, "0"},
#endif
    });
}

// Every "$ " line of a ```console block in the README and docs/, run in
// order in one folder per document; a line ending "# exit N" must exit N,
// any other 0, and each output line shown under it (but "...") is printed.
TEST(Cli, DocumentedExamplesRunAsWritten)
{
#ifndef TRACEWIN_HAVE_RENDER
    GTEST_SKIP() << "the examples render pictures, and this build has no Qt";
#endif
    const fs::path root(TRACEWIN_SOURCE_DIR);
    std::vector<fs::path> aDocs{root / "README.md"};
    for (const auto& entry : fs::directory_iterator(root / "docs"))
        if (entry.path().extension() == ".md") aDocs.push_back(entry.path());
    int iCommands = 0;
    for (const fs::path& doc : aDocs) {
        std::ifstream in(doc);
        const CCliFolder folder;
        bool bInBlock = false;
        std::string sLine;
        SRun run;
        std::string sCommand;
        while (std::getline(in, sLine)) {
            if (sLine.rfind("```", 0) == 0) {
                bInBlock = !bInBlock && sLine == "```console";
                continue;
            }
            if (!bInBlock) continue;
            if (sLine.rfind("$ ", 0) == 0) {
                sCommand = sLine.substr(2);
#ifndef TRACEWIN_HAVE_PYTHON
                // Scripts need the module, which sanitizer builds leave out.
                if (sCommand.find("tracewin script") != std::string::npos) {
                    sCommand.clear();
                    continue;
                }
#endif
                std::smatch match;
                const int iExpected =
                    std::regex_search(sCommand, match, std::regex("# exit ([0-9]+)$")) ? std::stoi(match[1]) : 0;
                run = folder.Run(sCommand);
                ++iCommands;
                EXPECT_EQ(run.iExit, iExpected) << doc.filename() << ": " << sCommand << "\n" << run.Shown();
            } else if (sLine != "..." && !sCommand.empty()) {
                EXPECT_NE(run.sOutput.find(sLine), std::string::npos)
                    << doc.filename() << ": " << sCommand << " does not print\n" << sLine << "\nbut\n" << run.Shown();
            }
        }
    }
    EXPECT_GE(iCommands, 10);
}
