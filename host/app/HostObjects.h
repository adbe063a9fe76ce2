#pragma once
// The host's application object and master document, as far as the library
// reaches them. The master document holds the shared measurement data (the
// result buffers the measurement thread fills, with the lock that guards
// them); the host sets it when it creates the measurement side.

class CSharedMeasurementData;

class CQuorixDoc {
public:
    // Null until the host provides it.
    CSharedMeasurementData* GetSharedData() const { return m_pSharedData; }
    void SetSharedData(CSharedMeasurementData* data) { m_pSharedData = data; }

private:
    CSharedMeasurementData* m_pSharedData = nullptr;
};

class CQuorixApp {
public:
    explicit CQuorixApp(CQuorixDoc* masterDoc) : m_pMasterDoc(masterDoc) {}
    CQuorixDoc* GetMasterDoc() const { return m_pMasterDoc; }

private:
    CQuorixDoc* m_pMasterDoc;
};
