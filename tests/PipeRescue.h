#pragma once

// Watches code that must not wait on a named pipe. Should the code still be at it long after it
// ought to be done, the watch opens the pipe once from the other side, which lets a blocked open
// return and a blocked read see the end of the pipe; Done() then says the code had waited. The
// bound only keeps a fault from hanging the test run: how long the code takes is never measured.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

#include <fcntl.h>
#include <unistd.h>

class CPipeRescue final
{
public:
    explicit CPipeRescue(std::string path, std::chrono::seconds bound = std::chrono::seconds{30})
        : m_path{std::move(path)}, m_watch{[this, bound] { Watch(bound); }}
    {
    }
    ~CPipeRescue() { Done(); }
    CPipeRescue(const CPipeRescue&) = delete;
    CPipeRescue& operator=(const CPipeRescue&) = delete;

    // Ends the watch; true when the code under watch had to be let go.
    bool Done()
    {
        {
            const std::lock_guard lock{m_mutex};
            m_done = true;
        }
        m_changed.notify_all();
        if (m_watch.joinable()) {
            m_watch.join();
        }
        return m_rescued;
    }

private:
    void Watch(std::chrono::seconds bound)
    {
        std::unique_lock lock{m_mutex};
        if (m_changed.wait_for(lock, bound, [this] { return m_done; })) {
            return;
        }
        m_rescued = true;
        // Reading and writing at once never blocks on a pipe, and counts as the partner both a
        // blocked reader and a blocked writer wait for.
        const int fd = ::open(m_path.c_str(), O_RDWR | O_NONBLOCK);
        if (fd >= 0) {
            ::close(fd);
        }
    }

    std::string m_path;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_done{false};
    bool m_rescued{false};
    std::thread m_watch;
};
