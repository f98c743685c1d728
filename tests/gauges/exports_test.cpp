// The loadable module offers the two records by their plain names.
#include "sim/gauge_abi.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

TEST(ModuleExports, LinkageAndImportTableAreFoundByName) {
    void* module = dlopen(ORVEX_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(module, nullptr) << dlerror();

    auto* import = static_cast<ImportTableRecord*>(dlsym(module, "ImportTable"));
    auto* linkage = static_cast<ModuleLinkage*>(dlsym(module, "Linkage"));
    ASSERT_NE(import, nullptr);
    ASSERT_NE(linkage, nullptr);
    EXPECT_EQ(import->import_id, 0xFu);
    EXPECT_EQ(import->panels, nullptr);
    EXPECT_EQ(linkage->module_id, 0x13u);

    int count = 0;
    while (count < 55 && linkage->gauge_table[count] != nullptr) {
        EXPECT_NE(std::string(linkage->gauge_table[count]->name), "MCU_OPEN_LM");
        ++count;
    }
    EXPECT_EQ(count, 54);
    EXPECT_STREQ(linkage->gauge_table[0]->name, "MCU");
    EXPECT_STREQ(linkage->gauge_table[53]->name, "DEBUG");
    dlclose(module);
}
