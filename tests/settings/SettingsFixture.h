#pragma once
// Installs a fresh settings service for each test and removes it afterwards.

#include "host/settings/MeasurementSettings.h"

#include <gtest/gtest.h>

#include <memory>

class SettingsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pSettings = std::make_unique<CMeasurementSettings>();
        m_pPrevious = InstallMeasurementSettings(m_pSettings.get());
    }
    void TearDown() override { InstallMeasurementSettings(m_pPrevious); }

    std::unique_ptr<CMeasurementSettings> m_pSettings;
    CMeasurementSettings* m_pPrevious = nullptr;
};
