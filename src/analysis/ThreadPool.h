#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A fixed set of threads that carry out tasks in the order they were handed in. The scans use one
// shared pool for all their runs and values of k, so a family of a thousand values starts no
// thread at all, and a run never has more threads than the process may use.
class CThreadPool final
{
public:
    // threads: how many to start; fewer are there when the system refuses more (see Size()).
    explicit CThreadPool(unsigned threads);
    // Waits for the tasks under way; those not started yet are dropped.
    ~CThreadPool();

    CThreadPool(const CThreadPool&) = delete;
    CThreadPool& operator=(const CThreadPool&) = delete;

    // The threads that run, at least 0. A pool of 0 or 1 threads gains nothing over the caller.
    unsigned Size() const { return static_cast<unsigned>(m_threads.size()); }

    // A task must not throw; whatever it does throw is dropped so that the thread lives on.
    void Submit(std::function<void()> task);

    // The pool of the scans: as many threads as CPUs this process may use.
    static CThreadPool& Shared();

private:
    void Work();

    std::mutex m_mutex;
    std::condition_variable m_added;
    std::deque<std::function<void()>> m_tasks;
    bool m_quit{false};
    std::vector<std::thread> m_threads;
};
