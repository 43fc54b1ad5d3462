#include "tax2002.h"

#include <algorithm>

namespace qv::tax2002 {
namespace {

constexpr std::int64_t dollars(std::int64_t d) {
    return d * 100;
}

// 2002 Tax Rate Schedules: bracket tops in cents and rates in tenths of a percent.
struct Schedule {
    std::int64_t tops[5];
};
constexpr int kRates[6] = {100, 150, 270, 300, 350, 386};
constexpr Schedule kScheduleX = {
    {dollars(6000), dollars(27950), dollars(67700), dollars(141250), dollars(307050)}};
constexpr Schedule kScheduleY1 = {
    {dollars(12000), dollars(46700), dollars(112850), dollars(171950), dollars(307050)}};
constexpr Schedule kScheduleY2 = {
    {dollars(6000), dollars(23350), dollars(56425), dollars(85975), dollars(153525)}};
constexpr Schedule kScheduleZ = {
    {dollars(10000), dollars(37450), dollars(96700), dollars(156600), dollars(307050)}};

const Schedule& scheduleFor(FilingStatus status) {
    switch (status) {
    case Joint:
    case Widow:
        return kScheduleY1;
    case Separate:
        return kScheduleY2;
    case HeadOfHousehold:
        return kScheduleZ;
    default:
        return kScheduleX;
    }
}

// Tax in thousandths of a cent, exact.
std::int64_t scheduleMilliCents(FilingStatus status, std::int64_t income) {
    const Schedule& s = scheduleFor(status);
    std::int64_t total = 0;
    std::int64_t bottom = 0;
    for (int i = 0; i < 6 && income > bottom; ++i) {
        const std::int64_t top = i < 5 ? s.tops[i] : income;
        total += (std::min(income, top) - bottom) * kRates[i];
        bottom = top;
    }
    return total;
}

bool married(FilingStatus status) {
    return status == Joint || status == Separate || status == Widow;
}

} // namespace

std::int64_t standardDeduction(FilingStatus status, int boxes, bool dependent,
                               std::int64_t earnedIncome) {
    std::int64_t basic = 0;
    switch (status) {
    case Joint:
    case Widow:
        basic = dollars(7850);
        break;
    case Separate:
        basic = dollars(3925);
        break;
    case HeadOfHousehold:
        basic = dollars(6900);
        break;
    default:
        basic = dollars(4700);
        break;
    }
    if (dependent)
        basic = std::min(basic, std::max(dollars(750), earnedIncome + dollars(250)));
    const std::int64_t additional = married(status) ? dollars(900) : dollars(1150);
    return basic + boxes * additional;
}

std::int64_t exemptions(FilingStatus status, int count, std::int64_t line36) {
    const std::int64_t full = dollars(3000) * count;
    std::int64_t threshold = dollars(137300);
    if (status == Joint || status == Widow)
        threshold = dollars(206000);
    else if (status == Separate)
        threshold = dollars(103000);
    else if (status == HeadOfHousehold)
        threshold = dollars(171650);
    if (line36 <= threshold)
        return full;
    const std::int64_t step = status == Separate ? dollars(1250) : dollars(2500);
    const std::int64_t excess = line36 - threshold;
    if (excess > 49 * step)
        return 0;
    const std::int64_t steps = (excess + step - 1) / step;
    return full - full * steps * 2 / 100;
}

std::int64_t scheduleTax(FilingStatus status, std::int64_t taxableIncome) {
    if (taxableIncome <= 0)
        return 0;
    return (scheduleMilliCents(status, taxableIncome) + 500) / 1000;
}

std::int64_t tax(FilingStatus status, std::int64_t taxableIncome) {
    if (taxableIncome <= 0)
        return 0;
    if (taxableIncome >= dollars(100000))
        return scheduleTax(status, taxableIncome);
    // The table's rows: $0-5, $5-15, $15-25, then $25 rows up to $3,000 and $50 rows.
    std::int64_t midpoint = 0;
    if (taxableIncome < dollars(5))
        return 0;
    if (taxableIncome < dollars(15))
        midpoint = dollars(10);
    else if (taxableIncome < dollars(25))
        midpoint = dollars(20);
    else if (taxableIncome < dollars(3000))
        midpoint = dollars(25) + (taxableIncome - dollars(25)) / dollars(25) * dollars(25) + 1250;
    else
        midpoint = taxableIncome / dollars(50) * dollars(50) + dollars(25);
    // Rounded to the dollar, half a dollar up.
    return (scheduleMilliCents(status, midpoint) + 50000) / 100000 * 100;
}

std::int64_t fifteenPercentTop(FilingStatus status) {
    return scheduleFor(status).tops[1];
}

std::int64_t capitalGainTax(FilingStatus status, std::int64_t taxableIncome, std::int64_t netGain,
                            std::int64_t rate28Gain, std::int64_t fiveYearGain) {
    const std::int64_t regular = tax(status, taxableIncome);
    netGain = std::clamp<std::int64_t>(netGain, 0, std::max<std::int64_t>(0, taxableIncome));
    if (netGain == 0)
        return regular;
    rate28Gain = std::clamp<std::int64_t>(rate28Gain, 0, netGain);
    // Gain taxed at 8 %, 10 % or 20 %: the net capital gain less the 28 % rate gain.
    const std::int64_t adjusted = netGain - rate28Gain;
    fiveYearGain = std::clamp<std::int64_t>(fiveYearGain, 0, adjusted);
    const std::int64_t top = fifteenPercentTop(status);
    // Ordinary income, taxed at the regular rates: taxable income less the net gain, but at
    // least the part of the 15 % bracket that the 8/10/20 % gain leaves unused.
    const std::int64_t ordinary =
        std::max(taxableIncome - netGain, std::min(top, taxableIncome - adjusted));
    // The gain inside the 15 % bracket: 8 % on qualified 5-year gain, 10 % on the rest.
    const std::int64_t low = std::clamp<std::int64_t>(top - ordinary, 0, adjusted);
    const std::int64_t atEight = std::min(fiveYearGain, low);
    const std::int64_t atTen = low - atEight;
    const std::int64_t atTwenty = adjusted - low;
    const std::int64_t atTwentyEight = taxableIncome - ordinary - adjusted;
    // Rates in tenths of a percent; each part rounded to the cent.
    const auto part = [](std::int64_t amount, int rate) { return (amount * rate + 500) / 1000; };
    const std::int64_t total = tax(status, ordinary) + part(atEight, 80) + part(atTen, 100) +
                               part(atTwenty, 200) +
                               part(std::max<std::int64_t>(0, atTwentyEight), 280);
    return std::min(total, regular);
}

std::int64_t earnedIncomeCreditTable(int children, bool joint, std::int64_t income) {
    if (income <= 0)
        return 0;
    struct Row {
        int phaseInRate;  // hundredths of a percent
        std::int64_t max; // maximum credit
        int phaseOutRate; // hundredths of a percent
        std::int64_t phaseOutStart;
    };
    static constexpr Row kRows[3] = {{765, dollars(376), 765, dollars(6150)},
                                     {3400, dollars(2506), 1598, dollars(13520)},
                                     {4000, dollars(4140), 2106, dollars(13520)}};
    const Row& r = kRows[std::min(children, 2)];
    const std::int64_t start = r.phaseOutStart + (joint ? dollars(1000) : 0);
    const std::int64_t midpoint = income / dollars(50) * dollars(50) + dollars(25);
    // In ten-thousandths of a cent until the final rounding to the dollar.
    const std::int64_t credit = std::min(midpoint * r.phaseInRate, r.max * 10000) -
                                std::max<std::int64_t>(0, midpoint - start) * r.phaseOutRate;
    if (credit <= 0)
        return 0;
    return (credit + 500000) / 1000000 * 100;
}

std::int64_t selfEmploymentTax(std::int64_t netEarnings, std::int64_t socialSecurityWages) {
    if (netEarnings < dollars(400))
        return 0;
    const std::int64_t base =
        std::clamp<std::int64_t>(dollars(84900) - socialSecurityWages, 0, netEarnings);
    return (base * 124 + netEarnings * 29 + 500) / 1000;
}

} // namespace qv::tax2002
