#pragma once

#include "analysis/AnalysisSink.h"

#include <cstddef>
#include <string>

// Takes a discussion's lines and keeps only how much text they were, so that the benchmarks
// measure the scans and not a list.
class CCountingSink final : public IAnalysisSink
{
public:
    void AddLine(std::string line) override { m_characters += line.size() + 1; }
    std::size_t m_characters{0};
};
