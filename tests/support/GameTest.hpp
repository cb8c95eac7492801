#pragma once

// What the tests that drive the whole game share: the driver, world queries and short names.
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "support/Driver.hpp"
#include "support/Harness.hpp"
#include "support/WorldQueries.hpp"

#include <string>

using Key = sf::Keyboard::Key;
using testsupport::CountOfType;
using testsupport::FirstOfType;
using testsupport::GameDriver;
using testsupport::kStep;
using testsupport::LiveObjects;

namespace testsupport
{
inline BigAccessingOfData& Data()
{
    return BigAccessingOfData::getInstance();
}

inline void SetSetting(const std::string& key, const std::string& value)
{
    SettingManager::getInstance().Set(key, value);
}
inline std::string Setting(const std::string& key)
{
    return SettingManager::getInstance().Get(key, "");
}
} // namespace testsupport

using testsupport::Data;
using testsupport::SetSetting;
using testsupport::Setting;
