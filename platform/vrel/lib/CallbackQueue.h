#pragma once

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "Vrel.h"

namespace vrelp {

// Hands records to the program's callback on a thread of its own, so that a
// callback blocked on the program's lock never holds up receiving or command
// replies. Bounded: push() refuses once the queue is full.
class CallbackQueue {
public:
    CallbackQueue(VREL_DEVICE_CALLBACK callback, void *user, size_t capacity);
    ~CallbackQueue();

    void start();
    bool push(const VREL_CALLBACK_RECORD &record);
    // Drops what is still queued and returns after the running callback, if
    // any, has returned; no callback starts afterwards. From inside a
    // callback it only prevents further ones.
    void stop();
    size_t pending() const;
    bool onDeliveryThread() const { return std::this_thread::get_id() == m_threadId; }

private:
    void run();

    VREL_DEVICE_CALLBACK m_callback;
    void *m_user;
    size_t m_capacity;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<VREL_CALLBACK_RECORD> m_queue;
    bool m_stopping = false;
    std::thread m_thread;
    std::thread::id m_threadId;
};

} // namespace vrelp
