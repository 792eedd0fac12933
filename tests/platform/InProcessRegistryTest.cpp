#include "InProcessRegistry.h"

#include <gtest/gtest.h>

using namespace carvel;

namespace {

const std::string kHelpKey = "Software\\Microsoft\\Windows\\HTML Help";

} // namespace

TEST(InProcessRegistry, StartsEmptyAndCreatesKeysWithTheirParents) {
    InProcessRegistry registry;
    EXPECT_FALSE(registry.openKey(RegRoot::LocalMachine, kHelpKey, KEY_QUERY_VALUE));

    const auto created = registry.createKey(RegRoot::LocalMachine, kHelpKey, "",
                                            REG_OPTION_NON_VOLATILE, KEY_SET_VALUE);
    ASSERT_TRUE(created);
    EXPECT_TRUE(registry.closeKey(*created));
    EXPECT_FALSE(registry.closeKey(*created)) << "a key closes once";

    // The parent exists now and lists the new key under the name it was created with.
    const auto parent = registry.openKey(RegRoot::LocalMachine, "SOFTWARE\\microsoft\\WINDOWS",
                                         KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS);
    ASSERT_TRUE(parent);
    EXPECT_EQ(registry.enumKey(*parent, 0, 256), "HTML Help");
    EXPECT_FALSE(registry.enumKey(*parent, 1, 256));
    EXPECT_FALSE(registry.enumKey(*parent, 0, 9)) << "the name does not fit the buffer";
    registry.closeKey(*parent);

    // Other roots are separate.
    EXPECT_FALSE(registry.openKey(RegRoot::CurrentUser, kHelpKey, KEY_QUERY_VALUE));
    EXPECT_EQ(registry.openKeyCount(), 0u);
}

TEST(InProcessRegistry, ValuesIgnoreLetterCaseAndKeepTheirFirstSpelling) {
    InProcessRegistry registry;
    const auto key = registry.createKey(RegRoot::LocalMachine, kHelpKey, "",
                                        REG_OPTION_NON_VOLATILE, KEY_SET_VALUE);
    ASSERT_TRUE(key);
    const std::string folder = "/opt/help/";
    ASSERT_TRUE(registry.setValue(*key, "Carvel.chm", REG_SZ, folder,
                                  static_cast<std::uint32_t>(folder.size() + 1)));
    ASSERT_TRUE(registry.setValue(*key, "Paths.chm", REG_EXPAND_SZ, "%HOME%/help", 12));
    ASSERT_TRUE(registry.setValue(*key, "CARVEL.CHM", REG_SZ, "/other/", 8)) << "replaces";

    const auto value = registry.queryValue(*key, "carvel.chm");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->type, REG_SZ);
    EXPECT_EQ(value->data, "/other/") << "the terminating null is not part of the text";

    const auto first = registry.enumValue(*key, 0, 2048);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->name, "Carvel.chm");
    const auto second = registry.enumValue(*key, 1, 2048);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->name, "Paths.chm");
    EXPECT_EQ(second->type, REG_EXPAND_SZ);
    EXPECT_FALSE(registry.enumValue(*key, 2, 2048));

    EXPECT_TRUE(registry.deleteValue(*key, "CARVEL.chm"));
    EXPECT_FALSE(registry.deleteValue(*key, "Carvel.chm"));
    EXPECT_FALSE(registry.queryValue(*key, "Carvel.chm"));
    registry.closeKey(*key);
    EXPECT_FALSE(registry.queryValue(*key, "Paths.chm")) << "a closed key reads nothing";
}
