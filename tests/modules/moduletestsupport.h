#pragma once

#include "forms/detailsstorehost.h"
#include "modules/modulelist.h"
#include "platform/profile.h"
#include "storage/memdatafile.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

// A module list loaded from the test's program directory with the given states registered
// under Modules, as an installer would register them.
class ModuleListTest : public ::testing::Test {
protected:
    void load(std::initializer_list<const char*> registered) {
        for (const char* state : registered)
            pf::Profile::app().writeString("Modules", state, "1");
        store = std::make_unique<CDetailsStoreHost>(modules, returnFile);
        modules.setDetailsStore(store.get());
        modules.setReturnFile(&returnFile);
        modules.setStateMenuRebuilder([this] { ++menuRebuilds; });
        ASSERT_EQ(1, modules.LoadModules());
    }
    void TearDown() override { modules.UnloadAll(); }

    CMemDataFile returnFile;
    CModuleList modules;
    std::unique_ptr<CDetailsStoreHost> store;
    int menuRebuilds = 0;
};
