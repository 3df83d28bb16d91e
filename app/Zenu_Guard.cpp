#include "Zenu_Guard.h"

Zenu_Guard::Zenu_Guard(Zenu_Mutex *mutex)
    : m_pMutex(mutex)
{
    if (m_pMutex)
        m_pMutex->Lock();
}

Zenu_Guard::~Zenu_Guard()
{
    Release();
}

Zenu_Guard &Zenu_Guard::operator=(const Zenu_Guard &other)
{
    if (this != &other) {
        Release();
        m_pMutex = other.m_pMutex;
        other.m_pMutex = nullptr;
    }
    return *this;
}

void Zenu_Guard::Release()
{
    if (m_pMutex) {
        m_pMutex->Unlock();
        m_pMutex = nullptr;
    }
}
