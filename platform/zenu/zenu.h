// Portable runtime library: mutexes, a counting semaphore and loading of
// dynamic libraries by file name.
#pragma once

#if defined(_WIN32)
#  if defined(ZENU_BUILDING)
#    define ZENU_API __declspec(dllexport)
#  else
#    define ZENU_API __declspec(dllimport)
#  endif
#else
#  define ZENU_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// Opaque mutex object; the caller stores it and passes its address.
typedef struct Zenu_MutexImpl *ZENU_MUTEX;

// Flag for Zenu_MutexCreate: -1 makes a recursive mutex (the owning thread may
// lock it again, e.g. from a nested event loop); any other value a plain one.
enum { ZENU_MUTEX_RECURSIVE = -1 };

// Each returns 0 on success and -1 on failure.
ZENU_API int Zenu_MutexCreate(ZENU_MUTEX *mutex, int flag);
ZENU_API int Zenu_MutexLock(ZENU_MUTEX *mutex);
ZENU_API int Zenu_MutexUnlock(ZENU_MUTEX *mutex);
ZENU_API int Zenu_MutexDestroy(ZENU_MUTEX *mutex);

// Loads a dynamic library by file name; null when it cannot be loaded. The
// library is never unloaded.
ZENU_API void *Zenu_LoadDSo(const char *fileName);

#ifdef __cplusplus
}

// A mutual-exclusion lock held by one thread between Lock() and Unlock().
class ZENU_API Zenu_Mutex
{
public:
    Zenu_Mutex();
    ~Zenu_Mutex();
    Zenu_Mutex(const Zenu_Mutex &) = delete;
    // Assignment keeps each object's own lock: a lock is not a value.
    Zenu_Mutex &operator=(const Zenu_Mutex &);

    int Lock();
    int Unlock();

private:
    ZENU_MUTEX m_handle = nullptr;
};

// A counting semaphore.
class ZENU_API Zenu_Sema
{
public:
    explicit Zenu_Sema(unsigned int initial = 0);
    ~Zenu_Sema();
    Zenu_Sema(const Zenu_Sema &) = delete;
    // Assignment keeps each object's own count.
    Zenu_Sema &operator=(const Zenu_Sema &);

    int Post();
    // Waits for a count; timeoutMs < 0 waits for ever. 0 on success, -1 on timeout.
    int Wait(int timeoutMs = -1);
    int TryWait();

private:
    struct Impl;
    Impl *m_impl;
};
#endif
