#include "zenu.h"

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <new>
#include <variant>

#include <dlfcn.h>

struct Zenu_MutexImpl
{
    std::variant<std::mutex, std::recursive_mutex> m;
    explicit Zenu_MutexImpl(bool recursive)
    {
        if (recursive)
            m.emplace<std::recursive_mutex>();
    }
    void lock() { std::visit([](auto &x) { x.lock(); }, m); }
    void unlock() { std::visit([](auto &x) { x.unlock(); }, m); }
};

extern "C" {

int Zenu_MutexCreate(ZENU_MUTEX *mutex, int flag)
{
    if (!mutex)
        return -1;
    *mutex = new (std::nothrow) Zenu_MutexImpl(flag == ZENU_MUTEX_RECURSIVE);
    return *mutex ? 0 : -1;
}

int Zenu_MutexLock(ZENU_MUTEX *mutex)
{
    if (!mutex || !*mutex)
        return -1;
    (*mutex)->lock();
    return 0;
}

int Zenu_MutexUnlock(ZENU_MUTEX *mutex)
{
    if (!mutex || !*mutex)
        return -1;
    (*mutex)->unlock();
    return 0;
}

int Zenu_MutexDestroy(ZENU_MUTEX *mutex)
{
    if (!mutex || !*mutex)
        return -1;
    delete *mutex;
    *mutex = nullptr;
    return 0;
}

void *Zenu_LoadDSo(const char *fileName)
{
    if (!fileName || !*fileName)
        return nullptr;
    return dlopen(fileName, RTLD_NOW | RTLD_LOCAL);
}

} // extern "C"

Zenu_Mutex::Zenu_Mutex()
{
    Zenu_MutexCreate(&m_handle, 0);
}

Zenu_Mutex::~Zenu_Mutex()
{
    Zenu_MutexDestroy(&m_handle);
}

Zenu_Mutex &Zenu_Mutex::operator=(const Zenu_Mutex &)
{
    return *this;
}

int Zenu_Mutex::Lock()
{
    return Zenu_MutexLock(&m_handle);
}

int Zenu_Mutex::Unlock()
{
    return Zenu_MutexUnlock(&m_handle);
}

struct Zenu_Sema::Impl
{
    std::mutex mutex;
    std::condition_variable cond;
    unsigned int count = 0;
};

Zenu_Sema::Zenu_Sema(unsigned int initial)
    : m_impl(new Impl)
{
    m_impl->count = initial;
}

Zenu_Sema::~Zenu_Sema()
{
    delete m_impl;
}

Zenu_Sema &Zenu_Sema::operator=(const Zenu_Sema &)
{
    return *this;
}

int Zenu_Sema::Post()
{
    {
        std::lock_guard<std::mutex> lock(m_impl->mutex);
        ++m_impl->count;
    }
    m_impl->cond.notify_one();
    return 0;
}

int Zenu_Sema::Wait(int timeoutMs)
{
    std::unique_lock<std::mutex> lock(m_impl->mutex);
    auto ready = [this] { return m_impl->count > 0; };
    if (timeoutMs < 0) {
        m_impl->cond.wait(lock, ready);
    } else if (!m_impl->cond.wait_for(lock, std::chrono::milliseconds(timeoutMs), ready)) {
        return -1;
    }
    --m_impl->count;
    return 0;
}

int Zenu_Sema::TryWait()
{
    return Wait(0);
}
