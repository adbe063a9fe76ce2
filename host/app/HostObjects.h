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
    // Set while the host reads an archive only to look at it: stored objects
    // are read and dropped, and nothing of the running application changes.
    bool IsInspectionOnlyLoad() const { return m_bInspectionOnlyLoad; }
    void SetInspectionOnlyLoad(bool bInspecting) { m_bInspectionOnlyLoad = bInspecting; }
    // Set while the configuration being read replaces the current one (the
    // graph document then takes its traces off first), clear while it is
    // merged into it.
    bool IsConfigurationReplacing() const { return m_bConfigurationReplacing; }
    void SetConfigurationReplacing(bool bReplacing) { m_bConfigurationReplacing = bReplacing; }

private:
    CQuorixDoc* m_pMasterDoc;
    bool m_bInspectionOnlyLoad = false;
    bool m_bConfigurationReplacing = false;
};
