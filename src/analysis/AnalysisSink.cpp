#include "analysis/AnalysisSink.h"

#include "analysis/ResultText.h"

void IAnalysisSink::Add(const SAnalysisResult& result)
{
    for (std::string& line : ResultLines(result)) {
        AddLine(std::move(line));
    }
}
