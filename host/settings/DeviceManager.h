#pragma once
// The connected instrument. The window holds the current device's lock
// while it reads the shared result buffers (after the shared-data lock).
// Without an instrument GetCurrentDevice() is null; by default a simulated
// device is present.

#include "platform/CriticalSection.h"
#include "platform/String.h"

#include <memory>

class CDevice {
public:
    explicit CDevice(CString sName, bool bSimulated = true) : m_sName(std::move(sName)), m_bSimulated(bSimulated) {}
    CDevice(const CDevice&) = delete;
    CDevice& operator=(const CDevice&) = delete;

    const CString& GetName() const { return m_sName; }
    bool IsSimulated() const { return m_bSimulated; }

    // The device lock; recursive, like the shared-data lock.
    CCriticalSection& GetLock() { return m_Lock; }
    bool Lock() { return m_Lock.Lock(); }
    bool Unlock() { return m_Lock.Unlock(); }

private:
    CString m_sName;
    bool m_bSimulated;
    CCriticalSection m_Lock;
};

class CDeviceManager {
public:
    // The process's device manager; it starts with a simulated device.
    static CDeviceManager* GetInstance();

    CDevice* GetCurrentDevice() const { return m_pDevice.get(); }
    // Replaces the current device (null: no instrument). The previous one is
    // destroyed; nobody may hold its lock.
    void SetCurrentDevice(std::unique_ptr<CDevice> pDevice) { m_pDevice = std::move(pDevice); }
    // Puts a fresh simulated device in place.
    void ResetToSimulatedDevice();

private:
    CDeviceManager();

    std::unique_ptr<CDevice> m_pDevice;
};
