#pragma once

#include <string>

namespace qv {

// What a condition needs of the interview engine: the copy the interview works on, and the
// script loader for audit terms. InterviewEngine implements it.
class ConditionEngine {
public:
    virtual ~ConditionEngine() = default;
    // Copy number of the engine's copy context.
    virtual int CurrentCopyNumber() const = 0;
    virtual bool LoadScript(const std::string& name, bool isBranch, bool keepTop,
                            bool loadOnly) = 0;
};

} // namespace qv
