#pragma once
// The host's sweep: whether one is running, its four result slots (the Y
// results of the sweep traces TT_SWEEP1..4, each with its min and max limit
// line) and its two X-axis records, into which the window writes back the
// scale a live sweep trace shows.

class CLimitLine;

class CSweepManager {
public:
    static constexpr int kNumResultSlots = 4;
    static constexpr int kNumAxisRecords = 2;

    struct SResultSlot {
        int iResultID = 65535; // UNUSED_RESULT
        CLimitLine* pMaxLimit = nullptr;
        CLimitLine* pMinLimit = nullptr;
    };

    // One swept axis. The window writes the X fields from a sweep trace's X
    // scale and the Y fields from its Y scale.
    struct SAxisRecord {
        bool bEnabled = false;
        int iSource = -1;       // sweep trigger (TRIGGER_...), -1 when unused
        int iXUnit = -1;
        int bFinal = 0;
        int iNumTicks = 10;     // intervals: ticks in use minus 1
        int bLogX = 0;
        double dMinX = 0.0;
        double dMaxX = 0.0;
        double dMinY = 0.0;
        double dMaxY = 0.0;
    };

    bool IsSweepRunning() const { return m_bRunning; }
    void SetSweepRunning(bool bRunning) { m_bRunning = bRunning; }

    // The sweep runs from a table: every axis record takes write-backs.
    bool IsTableSweep() const { return m_bTableSweep; }
    void SetTableSweep(bool bTable) { m_bTableSweep = bTable; }

    // Slot i (0..3) or axis record i (0..1); a bad index asserts and gives null.
    SResultSlot* GetResultSlot(int i);
    SAxisRecord* GetAxisRecord(int i);

    // Stores a limit line in slot i when the slot holds iResultID.
    // Returns false when the slot does not exist or holds another result.
    bool SetLimitLine(int iSlot, int iResultID, bool bMax, CLimitLine* pLimit);
    // Clears every slot that points at pLimit; returns how many were cleared.
    int ClearLimitLine(const CLimitLine* pLimit);

private:
    bool m_bRunning = false;
    bool m_bTableSweep = false;
    SResultSlot m_aSlots[kNumResultSlots];
    SAxisRecord m_aAxes[kNumAxisRecords];
};
