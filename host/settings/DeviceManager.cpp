#include "host/settings/DeviceManager.h"

CDeviceManager::CDeviceManager()
{
    ResetToSimulatedDevice();
}

CDeviceManager* CDeviceManager::GetInstance()
{
    static CDeviceManager manager;
    return &manager;
}

void CDeviceManager::ResetToSimulatedDevice()
{
    m_pDevice = std::make_unique<CDevice>(CString(L"Simulated analyser"), true);
}
