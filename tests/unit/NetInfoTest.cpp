#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <algorithm>
#include <cstring>
#include <vector>
#include "netinfo/NetInfo.h"

namespace {

// The six-byte hardware addresses the adapter list records, in list order.
std::vector<std::vector<unsigned char>> RecordedAddresses()
{
    std::vector<std::vector<unsigned char>> addresses;
    ULONG size = 0;
    if (GetAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW)
        return addresses;
    std::vector<unsigned char> buffer(size);
    auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
    if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS)
        return addresses;
    for (const IP_ADAPTER_INFO* adapter = first; adapter; adapter = adapter->Next) {
        if (adapter->AddressLength == 6)
            addresses.emplace_back(adapter->Address, adapter->Address + 6);
    }
    return addresses;
}

}  // namespace

TEST(HardwareAddress, SixUpperCaseHexBytesJoinedByHyphensAndALineFeed)
{
    const unsigned char bytes[6] = {0x00, 0x1a, 0x2b, 0x3c, 0x4d, 0xfe};
    HardwareAddressBuffer text;
    std::memset(text, 'z', sizeof text);
    FormatHardwareAddress(bytes, text);
    EXPECT_STREQ("00-1A-2B-3C-4D-FE\n", text);
}

TEST(HardwareAddress, WithoutAdapterDevicesTheListsLastAddressIsShown)
{
    HardwareAddressBuffer text = {};
    EXPECT_EQ(1, CollectAdapterAddress(text));

    auto recorded = RecordedAddresses();
    if (recorded.empty()) {
        EXPECT_STREQ("", text);
    } else {
        HardwareAddressBuffer expected = {};
        FormatHardwareAddress(recorded.back().data(), expected);
        EXPECT_STREQ(expected, text);
    }
}

TEST(HardwareAddress, AnAdapterWhoseDeviceDoesNotOpenLeavesTheTextAlone)
{
    HardwareAddressBuffer text = "earlier\n";
    EXPECT_EQ(0, QueryAdapterAddress("{00000000-0000-0000-0000-000000000000}", text));
    EXPECT_STREQ("earlier\n", text);
}

TEST(HostAddress, DottedDecimalAddressAndALineFeed)
{
    HostAddressBuffer text = {};
    QueryHostAddress(text);
    std::string address = text;
    ASSERT_FALSE(address.empty()) << "the resolver gave no address for the host name";
    ASSERT_EQ('\n', address.back());
    address.pop_back();
    EXPECT_NE(INADDR_NONE, inet_addr(address.c_str())) << address;
    EXPECT_EQ(3, std::count(address.begin(), address.end(), '.'));
}
