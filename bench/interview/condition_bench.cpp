// Evaluating a typical five-term condition line against a return on the reference modules.
// Run from the release build: build/release/bench/qv_interview_bench
#include "fakemodules.h"
#include "interview/condition.h"
#include "interview/modulelistset.h"
#include "interview/question.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "platform/profile.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

const char* kLine = "IF USF1040.TPBLIND,1 && NOT USF1040.SP65,1 || HAVEMODULE(IL) && "
                    "USDW2.WAGES,CURRENTCOPY || HAVESTATES() GOTO IV_USStep3_ReviewWages";

struct Return {
    CModuleList modules;
    qv::ModuleListSet set{modules};
    Question question;
    bool ok = false;

    Return() {
        pf::Profile::app().writeString("Modules", "IL", "1");
        if (modules.LoadModules() != 1)
            return;
        modules.FindByName("IL")->SetActive(true);
        CFormManager* fed = modules.federal()->formManager();
        const int f1040 = fed->FindForm("USF1040");
        CField* blind = fed->GetFormCopy(f1040, 1)->GetField(fed->FindField(f1040, "TPBLIND", 0));
        blind->SetChecked(1);
        blind->Refresh();
        const int w2 = fed->FindForm("USDW2");
        CFormCopy* copy = fed->AddFormCopy(w2, 1, 0);
        question.copyContext = {1, std::uint16_t(w2), std::uint16_t(copy->GetCopyNumber())};
        ok = true;
    }
    ~Return() { modules.UnloadAll(); }
};

void BM_EvaluateFiveTermLine(benchmark::State& state) {
    static Return r;
    if (!r.ok) {
        state.SkipWithError("the reference modules did not load");
        return;
    }
    bool result = false;
    for (auto _ : state) {
        Condition c(kLine, nullptr, r.set, &r.question, false);
        result = c.Evaluate();
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    if (!result)
        state.SkipWithError("the line should be true on this return");
}
BENCHMARK(BM_EvaluateFiveTermLine)->Repetitions(9)->ReportAggregatesOnly(true);

// The same line on a stand-in module whose Refresh recalculates nothing: the cost of the
// condition language itself, apart from the module's recalculation on every field read.
void BM_EvaluateFiveTermLineWithoutRecalculation(benchmark::State& state) {
    FakeFormManager fed;
    fed.addForm("USF1040", {"TPBLIND", "SP65"});
    fed.addCopy(1)->fields[1].value = 1;
    fed.addForm("USDW2", {"WAGES"});
    FakeCopy* w2 = fed.addCopy(2);
    FakeFormManager il;
    FakeModuleSet modules;
    modules.add("FEDERAL", true, &fed);
    modules.add("IL", true, &il);
    Question question;
    question.copyContext = {1, 2, std::uint16_t(w2->number)};
    bool result = false;
    for (auto _ : state) {
        Condition c(kLine, nullptr, modules, &question, false);
        result = c.Evaluate();
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(state.iterations());
    if (!result)
        state.SkipWithError("the line should be true on this return");
}
BENCHMARK(BM_EvaluateFiveTermLineWithoutRecalculation)->Repetitions(9)->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    // The program directory of the build, and settings and Windows folder of the run's own.
    const std::string scratch =
        (std::filesystem::temp_directory_path() / "qv_interview_bench").string() + "/";
    std::filesystem::create_directories(scratch + "win");
    setenv("QUORVA_PROGDIR", QV_BENCH_PROG_DIR, 1);
    setenv("QUORVA_SETTINGS", (scratch + "settings.ini").c_str(), 1);
    setenv("QUORVA_WINDIR", (scratch + "win/").c_str(), 1);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
