#pragma once
#include "app/program/FendleGui.h"
#include "appcore/Preferences.h"
#include "platform/system/Defaults.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace fendle::test {

// The whole program's GUI over a preference store of its own, for tests
// that open box windows the way the user does.
class GuiFixture : public ::testing::Test {
protected:
    QTemporaryDir folder;
    Defaults defaults{Defaults::Domain, folder.filePath("config")};
    Preferences preferences{defaults};
    std::unique_ptr<FendleGui> gui = std::make_unique<FendleGui>(defaults, preferences);
};

}  // namespace fendle::test
