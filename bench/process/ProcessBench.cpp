// Whole processes, as a user starts them: vexplot --version and a --discuss tangent beside a plain
// C++ "hello" built with the same compiler (the goal: at most twice its time), and the full-HD
// export of the busy graph beside gnuplot's pngcairo drawing the same five functions (when gnuplot
// is installed; the project does not need it). Each iteration forks, execs and waits; the wall
// time is the figure, and the child's CPU time is the counter "cpu_ms".
#include "BusyGraph.h"

#include "document/GraphFile.h"
#include "document/ZelDoc.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

const std::string& WorkDir()
{
    static const std::string dir = [] {
        char pattern[] = "/tmp/vexprocessXXXXXX";
        return std::string{mkdtemp(pattern)};
    }();
    return dir;
}

// The busy graph of the drawing benchmarks as a graph file.
const std::string& BusyGraphFile()
{
    static const std::string path = [] {
        const BusyGraph g = MakeBusyGraph();
        CZelDoc doc;
        doc.SetScaling(g.scaling);
        doc.SetFunctions(g.functions);
        doc.SetObjects(g.objects);
        const std::vector<std::uint8_t> bytes = WriteGraphFile(doc);
        const std::string file = WorkDir() + "/busy.zel";
        std::ofstream{file, std::ios::binary}.write(reinterpret_cast<const char*>(bytes.data()),
                                                     static_cast<std::streamsize>(bytes.size()));
        return file;
    }();
    return path;
}

// The same picture for gnuplot: the five functions (the family as its 41 members), the dashed
// grid, the points with their labels and the vertical line, 1920 samples across.
const std::string& GnuplotScript()
{
    static const std::string path = [] {
        const std::string file = WorkDir() + "/busy.gp";
        std::ofstream script{file};
        script << "set terminal pngcairo size 1920,1080\n"
                  "set output '" << WorkDir() << "/gnuplot.png'\n"
                  "set samples 1920\nset xrange [-5:5]\nset grid lt 0\nunset key\n"
                  "set arrow from 1.5, graph 0 to 1.5, graph 1 nohead\n";
        for (int i = 0; i < 8; ++i) {
            script << "set label 'P" << i << "' at " << i - 4 << "," << i % 3 << " point pt 7\n";
        }
        script << "plot x**2/5, sin(x)*exp(-x**2/4), 3*x**3-2*x**2+x-5, sqrt(abs(x))+log(x**2+1), "
                  "for [i=0:40] (-2.5+i*0.125)*sin(x)+(-2.5+i*0.125)\n";
        return file;
    }();
    return path;
}

bool OnPath(const char* program)
{
    const std::string command = std::string{"command -v "} + program + " >/dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// Starts the program with the arguments, output to /dev/null, and waits; the child's CPU time in
// milliseconds, or a negative value when it did not end with status 0.
double RunOnce(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        dup2(null, STDERR_FILENO);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        return -1.0;
    }
    const auto ms = [](const timeval& t) { return static_cast<double>(t.tv_sec) * 1e3 + t.tv_usec / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

void RunProcess(benchmark::State& state, const std::vector<std::string>& arguments)
{
    double cpu = 0.0;
    for (auto _ : state) {
        const double ms = RunOnce(arguments);
        if (ms < 0) {
            state.SkipWithError(("failed: " + arguments.front()).c_str());
            return;
        }
        cpu += ms;
    }
    state.counters["cpu_ms"] = benchmark::Counter{cpu / static_cast<double>(state.iterations())};
}

void BM_Hello(benchmark::State& state)
{
    RunProcess(state, {VEX_HELLO_PATH});
}

void BM_Version(benchmark::State& state)
{
    RunProcess(state, {VEXPLOT_PATH, "--version"});
}

void BM_DiscussTangent(benchmark::State& state)
{
    RunProcess(state, {VEXPLOT_PATH, "--discuss", "tangent", "--term", "sin(x)", "--at", "1"});
}

// A scan of the discussion at the finest precision, as the command line runs it: the zeros, extrema,
// inflection points or monotony of sin(x)*exp(-x^2/4) on the default axis. Compare extrema with
// BM_MuparserExtremaScan of vexbench, the same scan's work done in muparser.
void BM_DiscussScan(benchmark::State& state)
{
    const char* const kinds[] = {"zeros", "extrema", "inflections", "monotony"};
    const char* kind = kinds[state.range(0)];
    state.SetLabel(kind);
    RunProcess(state, {VEXPLOT_PATH, "--discuss", kind, "--precision", "10", "--term", "sin(x)*exp(-x^2/4)"});
}

void BM_ExportFullHd(benchmark::State& state)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    RunProcess(state, {VEXPLOT_PATH, "--export", WorkDir() + "/vexplot.png", BusyGraphFile(), "--size", "1920x1080"});
}

void BM_GnuplotFullHd(benchmark::State& state)
{
    if (!OnPath("gnuplot")) {
        state.SkipWithError("gnuplot is not installed");
        return;
    }
    RunProcess(state, {"gnuplot", GnuplotScript()});
}

} // namespace

BENCHMARK(BM_Hello)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Version)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DiscussTangent)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_DiscussScan)->DenseRange(0, 3)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_ExportFullHd)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GnuplotFullHd)->Unit(benchmark::kMillisecond)->UseRealTime();
