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

} // namespace qv::tax2002
