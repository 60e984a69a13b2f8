#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include "InProcess.h"

namespace {

std::vector<std::string> Listed(const ConfigStore& store)
{
    std::vector<std::string> names;
    EXPECT_TRUE(store.List(names));
    std::sort(names.begin(), names.end());
    return names;
}

// 办 is two bytes in code page 936; 127 of them and one ASCII byte make 255.
std::string TextOfBytes(size_t bytes)
{
    std::string text;
    while (text.size() + 2 <= bytes)
        text += "办";
    if (text.size() < bytes)
        text += "x";
    return text;
}

}  // namespace

TEST(Store, FirstRunHasNoKeyUntilAWriteCreatesIt)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    ConfigStore::Buffer buffer = "untouched";
    std::vector<std::string> names;

    EXPECT_FALSE(store.List(names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(store.Read(buffer, "curnet"));
    EXPECT_FALSE(store.Delete("办公室"));
    EXPECT_STREQ("untouched", buffer);

    EXPECT_TRUE(store.Write("D:\\网络\\办公室.txt", "办公室"));
    ASSERT_TRUE(store.Read(buffer, "办公室"));
    EXPECT_STREQ("D:\\网络\\办公室.txt", buffer);
}

TEST(Store, DataUpTo255BytesIsWrittenWholeAndLongerIsRefused)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    const std::string longest = TextOfBytes(255);
    ASSERT_EQ(255u, longest.size());

    ASSERT_TRUE(store.Write(longest, "longest"));
    ConfigStore::Buffer buffer;
    std::memset(buffer, 'z', sizeof buffer);
    ASSERT_TRUE(store.Read(buffer, "longest"));
    EXPECT_EQ(longest, std::string(buffer));
    EXPECT_EQ('\0', buffer[255]);

    EXPECT_FALSE(store.Write(TextOfBytes(256), "too long"));
    EXPECT_FALSE(key.HasValue("too long"));
    EXPECT_FALSE(store.Write(TextOfBytes(256), "longest"));
    ASSERT_TRUE(store.Read(buffer, "longest"));
    EXPECT_EQ(longest, std::string(buffer));
}

TEST(Store, ReadFillsOnlyUpToTheValueAndLeavesTheRestOfTheBuffer)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    ASSERT_TRUE(store.Write("abc", "short"));

    ConfigStore::Buffer buffer;
    std::memset(buffer, 'z', sizeof buffer);
    ASSERT_TRUE(store.Read(buffer, "short"));
    EXPECT_STREQ("abc", buffer);
    EXPECT_EQ('\0', buffer[4]);  // the returned size (4) plus one byte
    EXPECT_EQ('z', buffer[5]);
    EXPECT_EQ('z', buffer[255]);
}

TEST(Store, ValuesTooLongToReadLeaveTheBufferUnchanged)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    key.SetRaw("huge", std::string(300, 'a') + '\0');
    key.SetRaw("terminated", std::string(256, 'a') + '\0');
    key.SetRaw("unterminated", std::string(256, 'b'), REG_BINARY);

    ConfigStore::Buffer buffer = "before";
    EXPECT_FALSE(store.Read(buffer, "huge"));
    EXPECT_STREQ("before", buffer);
    EXPECT_FALSE(store.Read(buffer, "terminated"));
    EXPECT_STREQ("before", buffer);
    EXPECT_FALSE(store.Read(buffer, "missing"));
    EXPECT_STREQ("before", buffer);

    // 256 bytes with no terminator fit the buffer (the type is not looked at);
    // the text still ends within it.
    ASSERT_TRUE(store.Read(buffer, "unterminated"));
    EXPECT_EQ(std::string(255, 'b'), std::string(buffer));
}

TEST(Store, NamesCompareWithoutRegardToCase)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    ASSERT_TRUE(store.Write("C:\\office.txt", "Office"));
    ASSERT_TRUE(store.Write("C:\\other.txt", "OFFICE"));

    ConfigStore::Buffer buffer = {};
    ASSERT_TRUE(store.Read(buffer, "office"));
    EXPECT_STREQ("C:\\other.txt", buffer);
    EXPECT_EQ(1u, Listed(store).size());

    // A configuration named Curnet shares its value with the current record.
    ASSERT_TRUE(store.Write("办公室| C:\\a.txt", "curnet"));
    ASSERT_TRUE(store.Write("C:\\curnet.txt", "Curnet"));
    ASSERT_TRUE(store.Read(buffer, "curnet"));
    EXPECT_STREQ("C:\\curnet.txt", buffer);
    EXPECT_TRUE(store.Delete("CURNET"));
    EXPECT_FALSE(store.Read(buffer, "curnet"));

    // IsSameName says of each pair what the registry does with it, whatever
    // the locale's order says of look-alikes.
    for (auto [a, b] : {std::pair<const char*, const char*>{"beta", "BETA"}, {"Wi-Fi", "Wi﹣Fi"}, {"店鋪", "店潽"},
                        {"ａｂ", "ＡＢ"}, {"ａ", "a"}, {"Ωπ", "ΩΠ"}, {"Я", "я"}, {"办公室", "办公室 "}}) {
        TestStoreKey pairKey("Pair");
        ASSERT_TRUE(pairKey.Store().Write("1", a));
        ASSERT_TRUE(pairKey.Store().Write("2", b));
        EXPECT_EQ(Listed(pairKey.Store()).size() == 1, ConfigStore::IsSameName(a, b)) << a << " " << b;
    }
}

TEST(Store, EmptyNameIsTheUnnamedValueAndIsListed)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    ASSERT_TRUE(store.Write("x", "a"));

    ConfigStore::Buffer buffer = "before";
    EXPECT_FALSE(store.Read(buffer, ""));
    EXPECT_EQ(std::vector<std::string>{"a"}, Listed(store));

    ASSERT_TRUE(store.Write("C:\\.txt", ""));
    ASSERT_TRUE(store.Read(buffer, ""));
    EXPECT_STREQ("C:\\.txt", buffer);
    EXPECT_EQ((std::vector<std::string>{"", "a"}), Listed(store));
    EXPECT_TRUE(store.Delete(""));
    EXPECT_FALSE(store.Delete(""));
}

TEST(Store, ListingSkipsNamesContainingLowerCaseCurnet)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    for (const char* name : {"curnet", "mycurnet", "curnet2", "xCURNET", "Curnet3", "家里"})
        ASSERT_TRUE(store.Write("C:\\x.txt", name));
    // A double-byte character whose trail byte is 'c': "curnet" starts on a
    // trail byte here, so it is not the text "curnet".
    const std::string trailC = "\x81" "curnet";
    ASSERT_TRUE(store.Write("C:\\y.txt", trailC));
    // ...while after a whole double-byte character it is.
    ASSERT_TRUE(store.Write("C:\\z.txt", "家curnet"));

    std::vector<std::string> expected = {"Curnet3", "xCURNET", trailC, "家里"};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, Listed(store));

    ConfigStore::Buffer buffer = {};
    EXPECT_TRUE(store.Read(buffer, "mycurnet"));
}

TEST(Store, ANameTooLongToListIsSkippedAndTheWalkGoesOn)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    const std::string longName(300, 'n');
    key.SetRaw("a1", std::string("C:\\a1.txt") + '\0');
    key.SetRaw("a2", std::string("C:\\a2.txt") + '\0');
    key.SetRaw(longName, std::string("C:\\long.txt") + '\0');
    key.SetRaw("b1", std::string("C:\\b1.txt") + '\0');
    key.SetRaw("b2", std::string("C:\\b2.txt") + '\0');
    key.SetRaw(std::string(255, 'm'), std::string("C:\\m.txt") + '\0');

    EXPECT_EQ((std::vector<std::string>{"a1", "a2", "b1", "b2", std::string(255, 'm')}), Listed(store));
    ConfigStore::Buffer buffer = {};
    ASSERT_TRUE(store.Read(buffer, longName));
    EXPECT_STREQ("C:\\long.txt", buffer);
}

TEST(Store, DeleteRemovesOnlyTheNamedValue)
{
    TestStoreKey key;
    ConfigStore store = key.Store();
    ASSERT_TRUE(store.Write("C:\\home.txt", "家里"));
    ASSERT_TRUE(store.Write("C:\\office.txt", "办公室"));

    EXPECT_TRUE(store.Delete("家里"));
    EXPECT_FALSE(store.Delete("家里"));
    EXPECT_EQ(std::vector<std::string>{"办公室"}, Listed(store));
}
