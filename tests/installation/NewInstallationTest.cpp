// The registry part of a new installation on a store that fails a write.
#include "installation/NewInstallation.h"

#include "platform/RegistryStore.h"
#include "stores/LexItem.h"
#include "support/TempDataDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace vorela {
namespace {

TEST(NewInstallationTest, ALanguageSettingThatCannotBeWrittenFailsTheSetUp)
{
    const test::TempDataDir dir;
    std::string error;
    const std::unique_ptr<RegistryStore> store =
        RegistryStore::open(dir.dataDirectory().registry(), error);
    ASSERT_TRUE(store) << error;
    store->failStep(1); // the first write of a new store is the language setting
    EXPECT_FALSE(fillNewRegistry(*store, error));
    EXPECT_EQ(error, store->file().string() + ": cannot write the language setting");
    store->failStep(std::nullopt);

    ASSERT_TRUE(fillNewRegistry(*store, error)) << error;
    EXPECT_EQ(store->openKey("Software\\vorela\\Editor").readDword("Language"), 0u);
    EXPECT_FALSE(LexItem(*store).GetChildren().empty());
}

} // namespace
} // namespace vorela
