#pragma once

namespace qv {

class ModuleFormManager;

// New Hampshire 2002: the interest and dividends tax on the federal return's interest and
// ordinary dividends.
void calculateNewHampshire(ModuleFormManager& fm);

} // namespace qv
