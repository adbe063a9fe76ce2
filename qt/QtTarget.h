#pragma once
// CQtTarget: a paint device with a painter and a CQtDC on it, for drawing a
// whole picture and then finishing it (ending the painter writes vector
// files). The concrete targets make the device; this class owns the order in
// which painter and device end. Invalid targets (bad size, unwritable file)
// have no DC and report failure; they never crash.

#include "platform/DC.h"

#include <memory>

class QPainter;
class QPaintDevice;
class CQtDC;

class CQtTarget {
public:
    virtual ~CQtTarget();
    CQtTarget(const CQtTarget&) = delete;
    CQtTarget& operator=(const CQtTarget&) = delete;

    bool IsValid() const;
    // The surface to draw on; null when the target is invalid or finished.
    CDC* GetDC() const;
    // Ends drawing. False when the target was invalid or the device could
    // not be completed (a vector file that could not be written).
    bool Finish();
    bool IsFinished() const { return m_bFinished; }

protected:
    CQtTarget();
    // Starts painting on `device`, which the target then owns.
    void Begin(std::unique_ptr<QPaintDevice> device, bool printing, bool metafile);
    QPaintDevice* GetDevice() const { return m_pDevice.get(); }
    QPainter* GetPainter() const { return m_pPainter.get(); }

private:
    std::unique_ptr<QPaintDevice> m_pDevice;
    std::unique_ptr<QPainter> m_pPainter;
    std::unique_ptr<CQtDC> m_pDC;
    bool m_bFinished = false;
    bool m_bFinishedOk = false;
};
