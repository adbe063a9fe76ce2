#pragma once
// "Add Trace": puts one more trace on the graph, on channel A, B or both,
// with "Add" (the dialog stays open for the next one) or OK. What it adds:
//  - a live trace the window does not show yet, one entry per trace type in
//    type order (a sweep only once it has measured a point);
//  - the filter response of an analyser path;
//  - a window function, built in or read from a user-defined file;
//  - a saved trace file;
//  - a limit file, attached to the trace the choose-trace step names.
// Each goes through the document member that already makes that trace
// (NewTrace, CreateFilterTrace, CreateWindowFunction, LoadTrace,
// CLimitLine::LoadForTrace); a file that does not load gets its reader's
// message and leaves the graph as it was.
//
// Toolkit-free: the fields, their checks and Add; a host shows it
// (qt/dialogs/AddTraceForm, or the headless host in tests).

#include "host/app/DialogModel.h"
#include "host/settings/WindowFunction.h"
#include "trace/core/TraceDefs.h"

#include <vector>

class CGraphDoc;
class CGraphFrame;
class CQXTrace;

class CAddTraceDlg : public CDialogModel {
public:
    static constexpr int kTemplateID = 880;
    // Control ids of the form.
    static constexpr int IDC_CHANNELS = 8400;
    static constexpr int IDC_KIND_LIVE = 8401;
    static constexpr int IDC_KIND_FILTER = 8402;
    static constexpr int IDC_KIND_WINDOW = 8403;
    static constexpr int IDC_KIND_SAVED = 8404;
    static constexpr int IDC_KIND_LIMIT = 8405;
    static constexpr int IDC_LIVE_LIST = 8410;
    static constexpr int IDC_FILTER_LIST = 8411;
    static constexpr int IDC_WINDOW_LIST = 8412;
    static constexpr int IDC_WINDOW_FILE = 8413;
    static constexpr int IDC_SAVED_FILE = 8414;
    static constexpr int IDC_LIMIT_FILE = 8415;
    static constexpr int IDC_ADD = 8420;

    enum class EChannels { a, b, both };
    enum class EKind { live, filter, window, saved, limit };
    // One entry of the live list: a trace type and its trace on each selected channel.
    struct SLiveEntry {
        TraceType eType;
        CString sName;
        std::vector<CQXTrace*> apTraces;
    };
    struct SWindowEntry {
        WINDOWFUNCTION eWindow;
        int iNameId;
    };

    // The document stays the caller's and must outlive the dialog. The
    // channels start as the analyser measures them.
    explicit CAddTraceDlg(CGraphDoc& doc);

    int GetTemplateID() const override { return kTemplateID; }
    CString GetCaption() const override;

    // "Add to": changing it lists the live traces of the new channels.
    EChannels GetChannels() const { return m_eChannels; }
    void SetChannels(EChannels eChannels);
    EKind GetKind() const { return m_eKind; }
    void SetKind(EKind eKind) { m_eKind = eKind; }

    // "Live Trace": the entries, and the text the list shows when there are none.
    const std::vector<SLiveEntry>& GetLiveEntries() const { return m_aLive; }
    static CString GetNoLiveTracesText();
    int GetLiveIndex() const { return m_iLive; }
    // False for an index outside the list.
    bool SetLiveIndex(int iIndex);

    // "Filter": the analyser paths whose filters can be shown.
    static std::vector<int> GetFilterSources();
    static CString GetFilterSourceName(int iSource);
    int GetFilterIndex() const { return m_iFilter; }
    bool SetFilterIndex(int iIndex);

    // "Window function": the built-in windows, then the user-defined one.
    static const std::vector<SWindowEntry>& GetWindows();
    int GetWindowIndex() const { return m_iWindow; }
    bool SetWindowIndex(int iIndex);
    bool IsUserWindow() const { return GetWindows()[static_cast<size_t>(m_iWindow)].eWindow == WINDOW_USER; }
    // "User-defined function": the file of gains the user window is read from.
    const CString& GetWindowFile() const { return m_sWindowFile; }
    void SetWindowFile(const CString& sFile) { m_sWindowFile = sFile; }

    // "Saved Trace" and "Limit file": the file names as typed.
    const CString& GetSavedFile() const { return m_sSavedFile; }
    void SetSavedFile(const CString& sFile) { m_sSavedFile = sFile; }
    const CString& GetLimitFile() const { return m_sLimitFile; }
    void SetLimitFile(const CString& sFile) { m_sLimitFile = sFile; }
    // "Browse...": the host's open dialog for the kind's file (trace, limit
    // or user window); true when a file was chosen (it becomes the field).
    bool Browse(EKind eKind);

    CString Validate(int* piControl) const override;
    // "Add": checks and adds as OK does, but the dialog stays open; true
    // when the trace was added.
    bool Add() { return OnOK(); }

    // The channels the selection stands for, first first.
    std::vector<ChannelNumber> GetSelectedChannels() const;

protected:
    bool Apply() override;

private:
    void FillLiveEntries();
    bool AddLive();
    bool AddFilter();
    bool AddWindow();
    bool AddSaved();
    bool AddLimit();
    // Shows pFirst as the current trace and the list as it now is.
    void Added(CQXTrace* pFirst);

    CGraphDoc& m_Doc;
    EChannels m_eChannels = EChannels::both;
    EKind m_eKind = EKind::live;
    std::vector<SLiveEntry> m_aLive;
    int m_iLive = 0;
    int m_iFilter = 0;
    int m_iWindow = 0;
    CString m_sWindowFile;
    CString m_sSavedFile;
    CString m_sLimitFile;
};

// Whether the dialog offers a live trace that is not shown: it must be a
// live original, not in use; a sweep only once it has measured a point.
bool IsLiveTraceToAdd(CQXTrace& trace);

// "Add/load Trace..." in the frame's command table: always there, the dialog
// on the installed document.
void InstallAddTraceCommand(CGraphFrame& frame);
