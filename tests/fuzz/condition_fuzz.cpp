// Condition lines of any content evaluate and check without a crash, against a small fake
// return with federal forms and two states.
#include "fakemodules.h"
#include "interview/condition.h"
#include "interview/question.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

struct FakeReturn {
    FakeReturn() {
        fed.addForm("USF1040", {"TPBLIND", "SP65"});
        fed.addCopy(1)->fields[1].value = 1;
        fed.addForm("USDW2", {"WAGES"});
        fed.addCopy(2);
        fed.addCopy(2);
        fed.addForm("USWREC", {"CA", "NY"});
        fed.addCopy(3);
        fed.texts["CC_Type"] = "VISA";
        fed.texts["CC_Number"] = "4111111111111111";
        fed.globals["HaveEFStatesAttached"];
        modules.add("FEDERAL", true, &fed);
        modules.add("CA", true, &ca);
        modules.add("NY", false, &ny);
    }
    FakeFormManager fed, ca, ny;
    FakeModuleSet modules;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FakeReturn fake;
    const std::string text(reinterpret_cast<const char*>(data), size < 4096 ? size : 4096);
    Question q;
    q.copyContext = {1, 2, 2};
    for (bool audit : {false, true}) {
        Condition evaluated(text, nullptr, fake.modules, &q, audit);
        evaluated.Evaluate();
        Condition checked(text, nullptr, fake.modules, &q, audit);
        checked.Check();
    }
    const std::size_t half = text.size() / 2;
    Condition::CheckCardNumber(text.substr(0, half), text.substr(half));
    Condition::CheckEmailAddress(text);
    return 0;
}
