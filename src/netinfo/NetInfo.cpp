#include "NetInfo.h"
#include <winsock2.h>
#include <windows.h>
#include <iphlpapi.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include "../platform/Handle.h"
#include "../platform/SystemFolder.h"

namespace {

// The socket layer and the IP helper library, loaded from the system folder
// when first needed rather than imported: an imported DLL would be looked
// for beside the exe first. iphlpapi comes first, because ws2_32 may load it
// by name itself on the first host lookup.
struct NetworkLibraries {
    decltype(&GetAdaptersInfo) getAdaptersInfo;
    decltype(&WSAStartup) wsaStartup;
    decltype(&WSACleanup) wsaCleanup;
    decltype(&gethostname) getHostName;
    decltype(&gethostbyname) getHostByName;
    decltype(&inet_ntoa) inetNtoa;
};

const NetworkLibraries& Network()
{
    static const NetworkLibraries libraries = [] {
        HMODULE iphlpapi = LoadSystemLibrary("iphlpapi.dll");
        HMODULE ws2_32 = LoadSystemLibrary("ws2_32.dll");
        NetworkLibraries loaded;
        loaded.getAdaptersInfo = GetProcAs<decltype(&GetAdaptersInfo)>(iphlpapi, "GetAdaptersInfo");
        loaded.wsaStartup = GetProcAs<decltype(&WSAStartup)>(ws2_32, "WSAStartup");
        loaded.wsaCleanup = GetProcAs<decltype(&WSACleanup)>(ws2_32, "WSACleanup");
        loaded.getHostName = GetProcAs<decltype(&gethostname)>(ws2_32, "gethostname");
        loaded.getHostByName = GetProcAs<decltype(&gethostbyname)>(ws2_32, "gethostbyname");
        loaded.inetNtoa = GetProcAs<decltype(&inet_ntoa)>(ws2_32, "inet_ntoa");
        return loaded;
    }();
    return libraries;
}

constexpr DWORD IOCTL_NDIS_QUERY_GLOBAL_STATS = 0x00170002;
constexpr DWORD OID_802_3_PERMANENT_ADDRESS = 0x01010101;

enum class DeviceAnswer { NotOpened, Refused, Answered };

DeviceAnswer AskAdapterDriver(const char* adapterName, HardwareAddressBuffer& dest)
{
    char devicePath[300];
    std::snprintf(devicePath, sizeof devicePath, "//./%s", adapterName);
    UniqueHandle device(CreateFileA(devicePath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                    nullptr, OPEN_EXISTING, 0, nullptr));
    if (!device.IsValid())
        return DeviceAnswer::NotOpened;

    unsigned char answer[256] = {};
    DWORD oid = OID_802_3_PERMANENT_ADDRESS;
    DWORD returned = 0;
    if (!DeviceIoControl(device.Get(), IOCTL_NDIS_QUERY_GLOBAL_STATS, &oid, sizeof oid, answer, sizeof answer,
                         &returned, nullptr))
        return DeviceAnswer::Refused;

    // The returned length is not examined: bytes the driver did not fill print as 00.
    FormatHardwareAddress(answer, dest);
    return DeviceAnswer::Answered;
}

// Starts and stops the socket layer around one host query.
class SocketLayer {
public:
    SocketLayer()
    {
        WSADATA data;
        m_started = Network().wsaStartup && Network().wsaStartup(0x0002, &data) == 0;
    }
    ~SocketLayer() { if (m_started) Network().wsaCleanup(); }
    SocketLayer(const SocketLayer&) = delete;
    SocketLayer& operator=(const SocketLayer&) = delete;
    bool Started() const { return m_started; }

private:
    bool m_started;
};

}  // namespace

void FormatHardwareAddress(const unsigned char* bytes, HardwareAddressBuffer& dest)
{
    std::snprintf(dest, sizeof dest, "%02X-%02X-%02X-%02X-%02X-%02X\n", bytes[0], bytes[1], bytes[2], bytes[3],
                  bytes[4], bytes[5]);
}

void QueryHostAddress(HostAddressBuffer& dest)
{
    SocketLayer sockets;
    const NetworkLibraries& net = Network();
    if (!sockets.Started() || !net.getHostName || !net.getHostByName || !net.inetNtoa)
        return;

    char hostName[155] = {};
    if (net.getHostName(hostName, sizeof hostName) != 0)
        return;
    const hostent* host = net.getHostByName(hostName);
    if (!host || !host->h_addr_list || !host->h_addr_list[0])
        return;

    in_addr address;
    std::memcpy(&address, host->h_addr_list[0], sizeof address);
    std::snprintf(dest, sizeof dest, "%s\n", net.inetNtoa(address));
}

int QueryAdapterAddress(const char* adapterName, HardwareAddressBuffer& dest)
{
    return AskAdapterDriver(adapterName, dest) == DeviceAnswer::Answered ? 1 : 0;
}

int CollectAdapterAddress(HardwareAddressBuffer& dest)
{
    const auto getAdaptersInfo = Network().getAdaptersInfo;
    ULONG size = 0;
    if (!getAdaptersInfo || getAdaptersInfo(nullptr, &size) != ERROR_BUFFER_OVERFLOW)
        return 1;
    std::unique_ptr<IP_ADAPTER_INFO, decltype(&std::free)> adapters(
        static_cast<IP_ADAPTER_INFO*>(std::malloc(size)), &std::free);
    if (!adapters || getAdaptersInfo(adapters.get(), &size) != ERROR_SUCCESS)
        return 1;

    bool anyDeviceOpened = false;
    for (const IP_ADAPTER_INFO* adapter = adapters.get(); adapter; adapter = adapter->Next) {
        if (AskAdapterDriver(adapter->AdapterName, dest) != DeviceAnswer::NotOpened)
            anyDeviceOpened = true;
    }
    if (!anyDeviceOpened) {
        for (const IP_ADAPTER_INFO* adapter = adapters.get(); adapter; adapter = adapter->Next) {
            if (adapter->AddressLength == 6)
                FormatHardwareAddress(adapter->Address, dest);
        }
    }
    return 1;
}
