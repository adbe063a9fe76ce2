// The tracewin tool as a user meets it: each command line run through the
// shell in a fresh folder, its exit code and what it prints; and every
// example command of the README and docs/, run as written.

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
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

TEST(Cli, EveryCommandHelpsAndSaysWhyItRefuses)
{
    RunInOrder({
        {"tracewin --help", 0, "commands:"},
        {"tracewin units --help", 0, "usage: tracewin units"},
        {"tracewin convert --help", 0, "usage: tracewin convert"},
        {"tracewin info --help", 0, "usage: tracewin info"},
        {"tracewin save --help", 0, "usage: tracewin save"},
        {"tracewin limit -h", 0, "usage: tracewin limit"},
        {"tracewin units --bogus", 2, "unknown option '--bogus'"},
        {"tracewin info", 2, "no file given"},
        {"tracewin convert 1 V dBu --impedance 0", 2, "--impedance: it must be above 0"},
        {"tracewin convert 1000 Hz bins --rate 0", 2, "--rate: it must be above 0"},
        {"tracewin convert 1 V dBu --range-mv -1", 2, "--range-mv: it must be above 0"},
        {"tracewin convert 1 V dBu --rate", 2, "--rate needs a value"},
        {"tracewin convert 1 V dBu --fft 1000.5", 2, "a whole number"},
        {"tracewin convert nan V dBu", 2, "'nan' is not a finite number"},
        {"tracewin convert 1e400 V dBu", 2, "'1e400' is not a finite number"},
        {"tracewin convert 1 V dBu --freq inf", 2, "not a finite number"},
        {"tracewin convert 1000 Hz bins --fft 1024", 0, "(21.3333"},
        {"tracewin convert 1 V Hz", 1, "do not measure the same quantity"},
        {"tracewin convert 1 V parsecs", 2, "unknown unit 'parsecs'"},
        // Hex as printed, and decimal input shown as Hex too.
        {"tracewin convert 0 dBFS Hex", 0, "0 dBFS = 5A8278 Hex"},
        {"tracewin convert 5A8278 Hex dBFS", 0, "5A8278 Hex = 0.00 dBFS"},
        {"tracewin convert -0x2D5CBE Hex dBFS", 0, "-0x2D5CBE Hex = -6.00 dBFS"},
        {"tracewin convert 5931640 Hex dBFS", 0, "5931640 = 5A8278 Hex = 0.00 dBFS"},
        {"tracewin convert 5G Hex dBFS", 2, "nor a Hex value"},
        {"tracewin save --kind sweep -o x.trc", 2, "unknown trace kind 'sweep'"},
        {"tracewin save", 2, "no output file"},
        {"tracewin save -o no/such/folder/x.trc", 1, "cannot write 'no/such/folder/x.trc'"},
        {"tracewin limit -o x.lim", 2, "give one of --trace FILE and --table FILE"},
        {"tracewin limit --trace missing.trc -o x.lim", 1, "missing.trc"},
        {"tracewin limit --trace x.trc --offset nan -o x.lim", 2, "bad value 'nan' for --offset"},
        {"printf '100 -20\\n200 oops\\n' > bad.txt && tracewin limit --table bad.txt -o x.lim", 1,
         "bad.txt, line 2: not two finite numbers X Y"},
        {"printf '1 2\\n' > t.txt && tracewin limit --table t.txt --x-unit Hz --y-unit Hz -o x.lim", 2,
         "no trace shows Hz over Hz"},
#ifdef TRACEWIN_HAVE_RENDER
        {"tracewin render --help", 0, "usage: tracewin render"},
        {"tracewin render --limit -o x.png", 2, "--limit needs a value"},
        {"tracewin render --live 0 -o none.png", 2, "bad block count '0'"},
        // No desktop login: no runtime-folder warning from Qt.
        {"env -u XDG_RUNTIME_DIR tracewin render --size 64x48 -o quiet.png 2>&1 | grep -c XDG_RUNTIME_DIR", 1, "0"},
#endif
    });
}

// A table's columns line up when a unit's name has characters of more than
// one byte (µs): every row is as wide as the header, counted in characters.
TEST(Cli, UnitTableColumnsAlign)
{
    const SRun run = CCliFolder().Run("tracewin units");
    ASSERT_EQ(run.iExit, 0);
    std::istringstream lines(run.sOutput);
    std::string sLine;
    const auto Width = [](const std::string& s) {
        return std::count_if(s.begin(), s.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; });
    };
    std::getline(lines, sLine);
    const auto iHeader = Width(sLine);
    bool bSawMicro = false;
    while (std::getline(lines, sLine)) {
        EXPECT_EQ(Width(sLine), iHeader) << sLine;
        bSawMicro = bSawMicro || sLine.find("\xC2\xB5s") != std::string::npos;
    }
    EXPECT_TRUE(bSawMicro);
    EXPECT_NE(run.sOutput.find("UNIT_NUMPERIODS"), std::string::npos);
}

// Written files read back: info describes them, render loads them, and a
// limit the trace stays within passes while one it breaches fails.
TEST(Cli, SavedTracesAndLimitsRoundTrip)
{
    RunInOrder({
        {"tracewin save -o fft.trc", 0, "fft.trc"},
        {"tracewin save --kind scope --channel B --live 2 -o scope-b", 0, "scope-b.trc"},
        {"tracewin info fft.trc", 0, "\"traceType\":1"},
        {"tracewin info scope-b.trc", 0, "\"channel\":1"},
        {"tracewin limit --trace fft.trc --offset 6 -o loose.lim", 0, "loose.lim"},
        {"tracewin limit --trace fft.trc --offset -6 -o tight", 0, "tight.lim"},
        {"printf '# Hz dBFS\\n20, -50\\n24000, -50\\n' > mask.txt && tracewin limit --table mask.txt -o mask.lim", 0,
         "mask.lim"},
        {"tracewin info mask.lim", 0, "\"pointCount\":2"},
        {"tracewin info loose.lim", 0, "\"form\":\"trace data\""},
#ifdef TRACEWIN_HAVE_RENDER
        {"tracewin render --trace fft.trc -o t.png", 0, "t.png"},
        {"tracewin render --limit loose.lim -o pass.png", 0, "PASS: "},
        {"tracewin render --limit tight.lim -o fail.png", 3, "FAIL: "},
        {"tracewin render --limit mask.lim -o mask.png", 3, "breaches its upper limit mask.lim at "},
        {"tracewin render --limit min:tight.lim --limit loose.lim -o both.png", 0,
         "within its upper limit loose.lim, lower limit tight.lim"},
        {"tracewin render --traces scope --limit mask.lim -o m.png", 1, "its units do not suit the trace"},
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
