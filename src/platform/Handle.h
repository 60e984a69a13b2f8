// Owners for kernel handles that live inside one operation.
#pragma once
#include <windows.h>

class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE h = nullptr) : m_h(h) {}
    ~UniqueHandle() { if (IsValid()) CloseHandle(m_h); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }

private:
    HANDLE m_h;
};
