// One full paint of Form 1040 page 1 in a 1280 x 1024 window: the page window's paint with
// every record of the real layout bound to a filled-in return, the editor on its first box.
#include "forms/detailsstorehost.h"
#include "forms/formpagewnd.h"
#include "modules/modulelist.h"
#include "modules/taxmodule.h"
#include "storage/memdatafile.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void setText(CFormManager& fm, CFormCopy* copy, const char* name, const char* text) {
    if (CField* f = copy->GetField(fm.FindField(copy->GetFormIndex(), name, 0))) {
        f->SetText(text);
        f->SetFlag(FF_HASVALUE | FF_ENTERED, 1);
        f->Refresh();
    }
}

void PaintForm1040PageOne(benchmark::State& state) {
    CMemDataFile returnFile;
    CModuleList modules;
    CDetailsStoreHost store(modules, returnFile);
    modules.setDetailsStore(&store);
    modules.setReturnFile(&returnFile);
    if (modules.LoadModules() != 1 || modules.InitEmptyReturn() != 1) {
        state.SkipWithError("the federal module does not load");
        return;
    }
    CFormManager& fm = *modules.federal()->formManager();
    const int form = fm.FindForm("USF1040");
    CFormCopy* copy = fm.GetFormCopy(form, 1);
    setText(fm, copy, "FNAME", "JOHN Q");
    setText(fm, copy, "LNAME", "TAXPAYER");
    setText(fm, copy, "SSN", "123-45-6789");
    const int w2 = fm.FindForm("USDW2");
    if (CFormCopy* wages = fm.AddFormCopy(w2, 1, 0)) {
        CField* f = wages->GetField(fm.FindField(w2, "WAGES", 0));
        f->SetMoney(5432100);
        f->Refresh();
    }

    QWidget window;
    window.resize(1280, 1024);
    auto* page = new qv::CFormPageWnd(modules, &window);
    page->resize(1280, 1024);
    window.show();
    page->OpenCopy({1, std::uint16_t(form), 1, 0});
    QApplication::processEvents();
    if (!page->isLoaded()) {
        state.SkipWithError("FEDERAL.DAT has no Form 1040 layout");
        return;
    }
    QWidget* viewport = page->viewport();
    QImage image(viewport->size(), QImage::Format_RGB32);
    for (auto _ : state) {
        viewport->render(&image);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["records"] = double(page->records().size());
    modules.UnloadAll();
}
BENCHMARK(PaintForm1040PageOne)->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QUORVA_PROGDIR", QV_PROG_DIR, 0);
    const std::string scratch = QDir::tempPath().toStdString() + "/qv_forms_bench";
    QDir().mkpath(QString::fromStdString(scratch + "/win"));
    setenv("QUORVA_SETTINGS", (scratch + "/settings.ini").c_str(), 0);
    setenv("QUORVA_WINDIR", (scratch + "/win/").c_str(), 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
