#pragma once

#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CurveAnalysis.h"

#include <optional>
#include <regex>
#include <string>
#include <vector>

// Keeps everything a scan reports, in order.
class CRecordingSink final : public IAnalysisSink
{
public:
    void AddLine(std::string line) override { m_lines.push_back(std::move(line)); }
    void SetProgress(int position) override { m_progress.push_back(position); }
    void SetTableColumns(int columns) override { m_columns.push_back(columns); }

    std::vector<std::string> m_lines;
    std::vector<int> m_progress;
    std::vector<int> m_columns;
};

inline CGraphFunction MakeFunction(const std::string& term, int family = 0, double from = 0, double to = 0,
                                   double step = 0)
{
    CGraphFunction f;
    f.SetTerm(term);
    f.SetUseFamilyConstant(family);
    f.SetRange(from, to, step);
    return f;
}

inline CScaling MakeAxis(double from, double to, double step = 1)
{
    CScaling s;
    s.SetXRange(from, to, step);
    return s;
}

inline std::vector<std::string> Lines(EAnalysis kind, const CGraphFunction& f, const CScaling& s,
                                      int precision = 3)
{
    CRecordingSink sink;
    RunAnalysis(kind, f, s, precision, sink);
    return sink.m_lines;
}

// One result line of the zeros, extrema or inflection scan, read back into numbers.
struct CPointLine
{
    std::optional<double> k;
    char letter{};
    double x{};
    double y{};
};

inline std::optional<CPointLine> ParsePointLine(const std::string& line)
{
    static const std::regex pattern{R"(^(?:k = (\S+); )?([NHTSW]) \( (\S+) \| (\S+) \)$)"};
    std::smatch m;
    if (!std::regex_match(line, m, pattern)) {
        return std::nullopt;
    }
    CPointLine p;
    if (m[1].matched) {
        p.k = std::stod(m[1].str());
    }
    p.letter = m[2].str()[0];
    p.x = std::stod(m[3].str());
    p.y = std::stod(m[4].str());
    return p;
}
