#pragma once
// CCriticalSection: a critical section that lives as long as its object.
// CCriticalSectionLock: holds one for the length of a scope.

#include <windows.h>

class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_cs); }
    ~CCriticalSection() { DeleteCriticalSection(&m_cs); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;

    void Lock() { EnterCriticalSection(&m_cs); }
    void Unlock() { LeaveCriticalSection(&m_cs); }

private:
    CRITICAL_SECTION m_cs;
};

class CCriticalSectionLock {
public:
    explicit CCriticalSectionLock(CCriticalSection& cs) : m_cs(cs) { m_cs.Lock(); }
    ~CCriticalSectionLock() { m_cs.Unlock(); }
    CCriticalSectionLock(const CCriticalSectionLock&) = delete;
    CCriticalSectionLock& operator=(const CCriticalSectionLock&) = delete;

private:
    CCriticalSection& m_cs;
};
