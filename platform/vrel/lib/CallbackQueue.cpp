#include "CallbackQueue.h"

namespace vrelp {

CallbackQueue::CallbackQueue(VREL_DEVICE_CALLBACK callback, void *user, size_t capacity)
    : m_callback(callback)
    , m_user(user)
    , m_capacity(capacity)
{
}

CallbackQueue::~CallbackQueue() { stop(); }

void CallbackQueue::start()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_stopping = false;
    if (!m_thread.joinable()) {
        m_thread = std::thread(&CallbackQueue::run, this);
        m_threadId = m_thread.get_id();
    }
}

bool CallbackQueue::push(const VREL_CALLBACK_RECORD &record)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_stopping || m_queue.size() >= m_capacity)
            return false;
        m_queue.push_back(record);
    }
    m_wake.notify_one();
    return true;
}

void CallbackQueue::stop()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stopping = true;
        m_queue.clear();
    }
    m_wake.notify_all();
    if (!m_thread.joinable())
        return;
    if (m_thread.get_id() == std::this_thread::get_id())
        m_thread.detach(); // called from the callback: it ends when the callback returns
    else
        m_thread.join();
}

size_t CallbackQueue::pending() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_queue.size();
}

void CallbackQueue::run()
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_stopping || !m_queue.empty(); });
        if (m_stopping)
            return;
        const VREL_CALLBACK_RECORD record = m_queue.front();
        m_queue.pop_front();
        lock.unlock();
        if (m_callback)
            m_callback(&record, m_user);
        lock.lock();
    }
}

} // namespace vrelp
