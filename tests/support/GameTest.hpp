#pragma once

// What the tests that drive the whole game share: the driver, world queries, playing helpers and
// short names.
#include "state/BigAccessingOfData.hpp"
#include "state/Map.hpp"
#include "state/SettingManager.hpp"
#include "support/Driver.hpp"
#include "support/Harness.hpp"
#include "support/Play.hpp"
#include "support/WorldQueries.hpp"

#include <string>

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

using Key = sf::Keyboard::Key;
using namespace testsupport;
