#pragma once

#include "analysis/AnalysisSink.h"

#include <string>
#include <vector>

// A sink that keeps the results of a run as values, and nothing of a line added as text.
class CResultList final : public IAnalysisSink
{
public:
    void Add(const SAnalysisResult& result) override { m_results.push_back(result); }
    void AddLine(std::string /*line*/) override {}

    const std::vector<SAnalysisResult>& Results() const { return m_results; }

private:
    std::vector<SAnalysisResult> m_results;
};
