// The host's IP address and a network adapter's hardware address, as text.
#pragma once

using HostAddressBuffer = char[100];
using HardwareAddressBuffer = char[256];

// Dotted-decimal IPv4 address and a line feed; dest unchanged when there is none.
void QueryHostAddress(HostAddressBuffer& dest);

// The permanent address that the adapter's driver reports, as
// "XX-XX-XX-XX-XX-XX\n"; 1 when dest was replaced, 0 otherwise.
int QueryAdapterAddress(const char* adapterName, HardwareAddressBuffer& dest);

// The address of the last adapter in the system's list whose driver answers.
// Where no adapter device opens at all (a system without an adapter device
// namespace), the last six-byte address the adapter list itself records.
// Always 1.
int CollectAdapterAddress(HardwareAddressBuffer& dest);

// "%02X-%02X-%02X-%02X-%02X-%02X\n" of bytes 0 to 5.
void FormatHardwareAddress(const unsigned char* bytes, HardwareAddressBuffer& dest);
