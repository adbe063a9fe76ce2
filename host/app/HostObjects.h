#pragma once
// The host's application object and master document, as far as the library
// reaches them. The master document holds the shared measurement data (filled
// by the measurement side) and the lock that guards it.

class CLock;
class CSharedMeasurementData;

class CQuorixDoc {
public:
    CQuorixDoc();
    ~CQuorixDoc();
    CQuorixDoc(const CQuorixDoc&) = delete;
    CQuorixDoc& operator=(const CQuorixDoc&) = delete;

    // Guards the shared result buffers between the measurement and the window.
    CLock& GetSharedDataLock() { return *m_pSharedDataLock; }
    // The shared result buffers; null until the measurement side provides them.
    CSharedMeasurementData* GetSharedData() const { return m_pSharedData; }
    void SetSharedData(CSharedMeasurementData* data) { m_pSharedData = data; }

private:
    CLock* m_pSharedDataLock;
    CSharedMeasurementData* m_pSharedData = nullptr;
};

class CQuorixApp {
public:
    explicit CQuorixApp(CQuorixDoc* masterDoc) : m_pMasterDoc(masterDoc) {}
    CQuorixDoc* GetMasterDoc() const { return m_pMasterDoc; }

private:
    CQuorixDoc* m_pMasterDoc;
};
