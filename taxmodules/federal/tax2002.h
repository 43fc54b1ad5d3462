#pragma once

#include <cstdint>

// The 2002 federal figures, in cents.
namespace qv::tax2002 {

// Filing status as the choice field FS holds it.
enum FilingStatus { Single = 0, Joint = 1, Separate = 2, HeadOfHousehold = 3, Widow = 4 };

// Form 1040, line 38 (standard deduction): the basic amount by filing status, for a taxpayer
// who can be claimed as a dependent the larger of $750 and earned income plus $250 (not more
// than the basic amount), plus the additional amount for each box checked on line 37a.
std::int64_t standardDeduction(FilingStatus status, int boxes, bool dependent,
                               std::int64_t earnedIncome);

// Form 1040, line 40 (Deduction for Exemptions Worksheet): $3,000 per exemption, reduced by 2%
// for each $2,500 ($1,250 married filing separately) or part of it by which line 36 exceeds
// the status's threshold; nothing once the excess is over $122,500 ($61,250).
std::int64_t exemptions(FilingStatus status, int count, std::int64_t line36);

// Form 1040, line 42: below $100,000 the 2002 Tax Table (the rate schedule at the midpoint of
// the income's row, rounded to the dollar), from $100,000 on the rate schedules X, Y-1, Y-2
// and Z themselves.
std::int64_t tax(FilingStatus status, std::int64_t taxableIncome);

// The rate schedule on an exact amount, in cents rounded half up.
std::int64_t scheduleTax(FilingStatus status, std::int64_t taxableIncome);

// Top of the 15 % bracket of the status's rate schedule (where the 8 % / 10 % capital-gain
// rates end).
std::int64_t fifteenPercentTop(FilingStatus status);

// Schedule D, Part IV: the tax on taxable income with the 2002 maximum capital-gain rates.
// netGain is the smaller of Schedule D lines 16 and 17, rate28Gain the 28 % rate gain and
// fiveYearGain the qualified 5-year gain; never more than the regular tax.
std::int64_t capitalGainTax(FilingStatus status, std::int64_t taxableIncome, std::int64_t netGain,
                            std::int64_t rate28Gain, std::int64_t fiveYearGain);

// Earned Income Credit Table: the credit at the midpoint of the income's $50 row, rounded to
// the dollar.
std::int64_t earnedIncomeCreditTable(int children, bool joint, std::int64_t income);

// Schedule SE, long form: social security tax on net earnings up to the wage base less the
// wages already taxed, Medicare tax on all of them; nothing below $400 of net earnings.
std::int64_t selfEmploymentTax(std::int64_t netEarnings, std::int64_t socialSecurityWages);

} // namespace qv::tax2002
