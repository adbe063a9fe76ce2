#pragma once
// A Python script run against the demo's live window by an embedded
// interpreter: in it `tracewin.window()` is that window (its document, its
// host's events) and `measure(n)` waits for n more blocks of the running
// measurement while the window stays live.

#include <functional>
#include <memory>
#include <string>
#include <vector>

class CGraphDoc;
class CHeadlessHost;

class CDemoScript {
public:
    // The host and document must outlive the runner.
    CDemoScript(CHeadlessHost& host, CGraphDoc& doc, std::function<bool(int)> waitForBlocks);
    ~CDemoScript();
    CDemoScript(const CDemoScript&) = delete;
    CDemoScript& operator=(const CDemoScript&) = delete;

    // False where the demo was built without Python.
    static bool IsAvailable();
    // Runs the file as __main__ with messages off (failures come back as
    // exceptions); its exit status (SystemExit's code, 1 after an uncaught
    // exception, whose traceback goes to stderr and, when psError is given,
    // into *psError).
    int Run(const std::string& sPath, const std::vector<std::string>& asArgs, std::string* psError = nullptr);

    // "Run script...": the host's open dialog for a Python file, then Run
    // with no arguments; a failure is shown in a message box. False when
    // cancelled or failed.
    bool RunChosenFile();

private:
    struct SImpl;
    std::unique_ptr<SImpl> m_pImpl;
};
