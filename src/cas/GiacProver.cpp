// The computer-algebra module: the prover of CasProver.h on top of Giac, built as a library that
// the program loads only for the whole curve discussion (CasLoader.h).

#include "analysis/CasProver.h"

#include <giac/config.h>
#include <giac/giac.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <thread>

namespace {

// One computation may take this long; then Giac is interrupted and the answer is "undecided".
constexpr std::chrono::milliseconds kTimeLimit{150};

// Interrupts Giac when a computation outlives the time limit. Giac polls its ctrl_c flag in its
// long loops and throws from there.
class CWatchdog
{
public:
    CWatchdog()
        : m_thread{[this] {
              std::unique_lock lock{m_mutex};
              if (!m_done.wait_for(lock, kTimeLimit, [this] { return m_finished; })) {
                  giac::ctrl_c = true;
              }
          }}
    {
    }
    ~CWatchdog()
    {
        {
            const std::lock_guard lock{m_mutex};
            m_finished = true;
        }
        m_done.notify_one();
        m_thread.join();
        giac::ctrl_c = false;
        giac::interrupted = false;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_done;
    bool m_finished = false;
    std::thread m_thread;
};

bool Contains(const std::string& text, const char* part)
{
    return text.find(part) != std::string::npos;
}

// Giac is not thread-safe: one context, and one computation at a time.
class CGiacProver final : public ICasProver
{
public:
    CGiacProver()
    {
        // Giac writes its warnings ("periodic solutions...") to the context's log; they are not the
        // program's output.
        giac::logptr(&m_log, &m_context);
    }

    std::optional<std::string> Limit(const std::string& f, const std::string& at, int side) override
    {
        std::string command = "limit(" + f + ",x," + at;
        if (side != 0) {
            command += side < 0 ? ",-1" : ",1";
        }
        const std::optional<std::string> value = Number(command + ")");
        if (!value) {
            return std::nullopt;
        }
        // An unsigned "infinity" is complex, "undef" or "bounded_function" not a limit at all.
        if (*value == "+infinity" || *value == "-infinity" || !Contains(*value, "infinity")) {
            return value;
        }
        return std::nullopt;
    }

    bool IsZero(const std::string& f) override
    {
        const std::lock_guard lock{m_mutex};
        const std::optional<giac::gen> value = Evaluate("simplify(" + f + ")");
        return value && giac::is_zero(*value, &m_context);
    }

    std::optional<std::string> Derivative(const std::string& f, int order) override
    {
        const std::lock_guard lock{m_mutex};
        const std::optional<giac::gen> value = Evaluate("diff(" + f + ",x," + std::to_string(order) + ")");
        if (!value) {
            return std::nullopt;
        }
        return Text(*value);
    }

    std::optional<std::vector<std::string>> RealRoots(const std::string& f) override
    {
        return List("solve((" + f + ")=0,x)");
    }

    std::optional<std::vector<std::string>> Singularities(const std::string& f) override
    {
        return List("singular(" + f + ",x)");
    }

    std::optional<std::string> ValueAt(const std::string& f, const std::string& at) override
    {
        return Number("simplify(subst(" + f + ",x=" + at + "))");
    }

private:
    // The exact real numbers of the list a command gives.
    std::optional<std::vector<std::string>> List(const std::string& command)
    {
        const std::lock_guard lock{m_mutex};
        const std::optional<giac::gen> value = Evaluate(command);
        if (!value || value->type != giac::_VECT) {
            return std::nullopt;
        }
        std::vector<std::string> roots;
        for (const giac::gen& root : *value->_VECTptr) {
            if (const std::optional<std::string> text = ExactReal(root)) {
                roots.push_back(*text);
            }
        }
        return roots;
    }

    // An exact real number (or ±infinity) that a command gives, as Giac prints it.
    std::optional<std::string> Number(const std::string& command)
    {
        const std::lock_guard lock{m_mutex};
        const std::optional<giac::gen> value = Evaluate(command);
        if (!value) {
            return std::nullopt;
        }
        return ExactReal(*value);
    }

    std::optional<std::string> ExactReal(const giac::gen& value)
    {
        if (value.type == giac::_VECT || giac::has_i(value) || value.is_approx()) {
            return std::nullopt;
        }
        std::string text = Text(value);
        if (Contains(text, "undef") || Contains(text, "bounded_function") || Contains(text, "limit") ||
            Contains(text, "rootof") || Contains(text, ".")) {
            return std::nullopt;
        }
        return text;
    }

    std::string Text(const giac::gen& value) { return value.print(&m_context); }

    std::optional<giac::gen> Evaluate(const std::string& command)
    {
        try {
            CWatchdog watchdog;
            giac::gen input(command, &m_context);
            giac::gen value = giac::eval(input, 1, &m_context);
            if (giac::interrupted || giac::ctrl_c || value.type == giac::_STRNG) {
                return std::nullopt;
            }
            m_log.str({});
            return value;
        } catch (...) {
            // Giac throws for what it cannot do (ln of -infinity, an interruption); that is an
            // undecided question, not a failure of the program.
            return std::nullopt;
        }
    }

    std::mutex m_mutex;
    std::ostringstream m_log;
    giac::context m_context;
};

} // namespace

extern "C" __attribute__((visibility("default"))) ICasProver* vex_cas_prover()
{
    // Never destroyed: the program may ask until its very end, and Giac's own globals go first.
    static CGiacProver* prover = new CGiacProver;
    return prover;
}
