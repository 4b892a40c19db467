#include "analysis/ThreadPool.h"

#include "analysis/UsableCpus.h"

#include <system_error>
#include <utility>

CThreadPool::CThreadPool(unsigned threads)
{
    m_threads.reserve(threads);
    for (unsigned i = 0; i < threads; ++i) {
        try {
            m_threads.emplace_back([this] { Work(); });
        } catch (const std::system_error&) {
            break; // the threads that did start are enough; the callers compute as well
        }
    }
}

CThreadPool::~CThreadPool()
{
    {
        const std::lock_guard lock{m_mutex};
        m_quit = true;
        m_tasks.clear();
    }
    m_added.notify_all();
    for (std::thread& thread : m_threads) {
        thread.join();
    }
}

void CThreadPool::Submit(std::function<void()> task)
{
    {
        const std::lock_guard lock{m_mutex};
        m_tasks.push_back(std::move(task));
    }
    m_added.notify_one();
}

void CThreadPool::Work()
{
    std::unique_lock lock{m_mutex};
    for (;;) {
        m_added.wait(lock, [this] { return m_quit || !m_tasks.empty(); });
        if (m_quit) {
            return;
        }
        std::function<void()> task = std::move(m_tasks.front());
        m_tasks.pop_front();
        lock.unlock();
        try {
            task();
        } catch (...) {
            // A task that throws has lost its result; the thread is still needed.
        }
        task = nullptr;
        lock.lock();
    }
}

CThreadPool& CThreadPool::Shared()
{
    static CThreadPool pool{UsableCpus()};
    return pool;
}
