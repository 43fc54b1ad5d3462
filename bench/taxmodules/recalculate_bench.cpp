// RecalculateAll of the federal module on a large return: 50 W-2s, 500 capital-gain sales
// and 20 dependents.
#include "federalforms.h"
#include "moduleformmanager.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void set(CFormManager& fm, CFormCopy* copy, const char* name, std::int64_t cents) {
    CField* f = copy->GetField(fm.FindField(copy->GetFormIndex(), name, 0));
    f->SetMoney(cents);
    f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
}

void setText(CFormManager& fm, CFormCopy* copy, const char* name, const char* text) {
    CField* f = copy->GetField(fm.FindField(copy->GetFormIndex(), name, 0));
    f->SetText(text);
    f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
}

void RecalculateAllLargeReturn(benchmark::State& state) {
    // Released through its own slot, as the program does.
    std::unique_ptr<CFormManager, void (*)(CFormManager*)> fm(
        new qv::ModuleFormManager(qv::federalModule()), [](CFormManager* m) { m->Release(); });
    fm->Initialize();
    fm->CreateDefaultForms();
    const int w2 = fm->FindForm("USDW2");
    const int gain = fm->FindForm("USDCAPGAIN");
    const int dep = fm->FindForm("USDDEP");
    for (int i = 0; i < 50; ++i) {
        CFormCopy* c = fm->AddFormCopy(w2, 1, 0);
        set(*fm, c, "WAGES", 4000000 + i * 100);
        set(*fm, c, "FEDWH", 500000);
        set(*fm, c, "SSWAGES", 4000000);
    }
    for (int i = 0; i < 500; ++i) {
        CFormCopy* c = fm->AddFormCopy(gain, 1, 0);
        setText(*fm, c, "ACQUIRED", i % 3 == 0 ? "01/15/1996" : "03/01/2001");
        setText(*fm, c, "SOLD", "06/30/2002");
        set(*fm, c, "SALES", 100000 + i * 37);
        set(*fm, c, "BASIS", 90000 + i * 53);
    }
    for (int i = 0; i < 20; ++i) {
        CFormCopy* c = fm->AddFormCopy(dep, 1, 0);
        setText(*fm, c, "RELATION", "Son");
        setText(*fm, c, "DOB", "05/05/1995");
        setText(*fm, c, "MONTHS", "12");
    }
    for (auto _ : state) {
        fm->RecalculateAll();
        benchmark::ClobberMemory();
    }
}
BENCHMARK(RecalculateAllLargeReturn)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
