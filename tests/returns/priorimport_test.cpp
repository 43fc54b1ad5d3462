#include "returntest.h"

#include "platform/dialogs.h"
#include "platform/filedialog.h"
#include "platform/paths.h"
#include "storage/importdlg.h"
#include "storage/priorimport.h"

#include <QImage>
#include <QPushButton>

namespace {

const char* const kComplete =
    "Import is complete. Click on Step 1. Basic Information to get started.";

class PriorYear : public ReturnTest {
protected:
    // Last year's return: this year's sections under a 2001 APPDATA.
    std::string lastYear(const std::string& appData = "2001 DELUXE FINAL 1.0 1.0 1.0 0.0 0.0") {
        const std::string saved = savedReturn("LastYear.ta2", "Acme Tools");
        setText("USF1040", 1, "FNAME", "John");
        doc->SetReturnModified(true);
        EXPECT_TRUE(doc->DoFileSave());
        const std::string path = at("Smith.ta1");
        qvtest::writeFile(path, qvtest::readFile(saved));
        putText(path, "APPDATA", appData);
        EXPECT_TRUE(doc->OnNewDocument());
        return path;
    }
    static void putText(const std::string& path, const std::string& name, const std::string& v) {
        CMemDataFile f;
        ASSERT_EQ(1, f.Open(path));
        f.Put(name, v.c_str(), std::uint32_t(v.size() + 1));
        ASSERT_EQ(1, f.Save());
    }
    static void remove(const std::string& path, const std::string& name) {
        CMemDataFile f;
        ASSERT_EQ(1, f.Open(path));
        f.Remove(name);
        ASSERT_EQ(1, f.Save());
    }
};

TEST_F(PriorYear, ANewReturnTakesLastYearsFormsWithoutAQuestion) {
    const std::string path = lastYear();
    EXPECT_EQ(0, copies("USDW2"));
    EXPECT_EQ(1, qv::ImportPriorYear(*doc, path, true));
    EXPECT_EQ("John", text("USF1040", 1, "FNAME"));
    ASSERT_EQ(1, copies("USDW2"));
    EXPECT_EQ("Acme Tools", text("USDW2", 1, "EMPLOYER"));
    EXPECT_TRUE(doc->isModified());
}

TEST_F(PriorYear, AReturnWithDataAsksBeforeItIsReplaced) {
    const std::string path = lastYear();
    setText("USF1040", 1, "FNAME", "Jane");
    const std::string question =
        "Importing a return will remove all previously entered data.\n\nDo you wish to continue?";
    qvtest::expectBox(question, pf::IDNO, pf::MB_YESNO | pf::MB_ICONQUESTION);
    EXPECT_EQ(0, qv::ImportPriorYear(*doc, path, true));
    EXPECT_EQ("Jane", text("USF1040", 1, "FNAME"));

    il()->SetActive(true);
    qvtest::expectBox(question, pf::IDYES);
    EXPECT_EQ(1, qv::ImportPriorYear(*doc, path, true));
    EXPECT_EQ("John", text("USF1040", 1, "FNAME"));
    EXPECT_EQ(1, copies("USF1040"));
    EXPECT_TRUE(il()->IsActive()); // the states that took part stay in the return
}

TEST_F(PriorYear, EveryRefusalHasItsMessageAndChangesNothing) {
    const std::string path = lastYear();
    const std::string notFinal = "Unable to import file " + path +
                                 ".\n\nFile was not created by the final version of Quorva 2001.";
    const struct {
        const char* appData;
        std::string message;
    } cases[] = {
        {"2001 DELUXE BETA 1.0", notFinal},
        {"2002 DELUXE FINAL 1.0", notFinal},
        {"2001 DELUXE final 1.0", ""}, // compared ignoring case: imported
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(doc->OnNewDocument());
        putText(path, "APPDATA", c.appData);
        if (!c.message.empty())
            qvtest::expectBox(c.message, pf::IDOK, pf::MB_OK | pf::MB_ICONSTOP);
        EXPECT_EQ(c.message.empty() ? 1 : 0, qv::ImportPriorYear(*doc, path, true)) << c.appData;
        EXPECT_EQ(c.message.empty() ? 1 : 0, copies("USDW2")) << c.appData;
    }

    ASSERT_TRUE(doc->OnNewDocument());
    const std::string junk = at("junk.ta1");
    qvtest::writeFile(junk, "not a return");
    qvtest::expectBox("Unable to open file " + junk + ".", pf::IDOK, pf::MB_OK | pf::MB_ICONSTOP);
    EXPECT_EQ(0, qv::ImportPriorYear(*doc, junk, true));

    remove(path, "MODDATA_FEDERAL");
    qvtest::expectBox("Unable to import file " + path + ".", pf::IDOK);
    EXPECT_EQ(0, qv::ImportPriorYear(*doc, path, true));
    EXPECT_EQ(0, copies("USDW2"));
    EXPECT_FALSE(doc->isModified());
}

TEST_F(PriorYear, AModuleStoredWithoutActiveContributesNothing) {
    const std::string path = lastYear();
    putText(path, "MODDATA_FEDERAL", modules.federal()->GetModuleVersion());
    EXPECT_EQ(1, qv::ImportPriorYear(*doc, path, true));
    EXPECT_EQ(0, copies("USDW2"));
    EXPECT_EQ("", text("USF1040", 1, "FNAME"));
}

TEST_F(PriorYear, AReadOnlyFileIsMadeWritableFirst) {
    const std::string path = lastYear();
    pf::setReadOnly(path, true);
    EXPECT_EQ(1, qv::ImportPriorYear(*doc, path, true));
    EXPECT_FALSE(pf::isReadOnly(path));
    EXPECT_EQ(1, copies("USDW2"));
}

TEST_F(PriorYear, TheCommandStartsWhereLastYearsProgramLastOpenedAReturn) {
    const std::string path = lastYear();
    pf::Profile lastYearSettings(qv::PriorYearSettingsPath());
    lastYearSettings.writeString("DATA", "LAST FILE OPENED", at("old/Smith.ta1"));
    lastYearSettings.sync();
    pf::FileDialogSpec asked;
    pf::setFileDialogHandler([&](const pf::FileDialogSpec& spec) {
        asked = spec;
        return path;
    });
    qvtest::expectBox(kComplete, pf::IDOK, pf::MB_OK | pf::MB_ICONINFORMATION);
    qv::ImportPriorYearCommand(*doc);
    EXPECT_EQ("Select Quorva 2001 Return", asked.title);
    EXPECT_EQ("2001 Tax Return Files (*.ta1, *.bak)|*.ta1;*.bak||", asked.filter);
    EXPECT_EQ(at("old/"), asked.initialDir);
    EXPECT_TRUE(asked.mustExist);
    EXPECT_EQ(1, copies("USDW2"));
    EXPECT_TRUE(doc->isModified());
}

TEST_F(PriorYear, TheOfferIsDrawnOnTheTileWithRaisedTexts) {
    const std::string path = lastYear();
    pf::setFileDialogHandler([&](const pf::FileDialogSpec&) { return path; });
    QImage shot;
    pf::queueDialogCallback([&shot](QDialog& dialog) {
        EXPECT_EQ("Import Quorva 2001 Return", dialog.windowTitle().toStdString());
        shot = dialog.grab().toImage();
        auto* import = pf::dlgItemAs<QPushButton>(&dialog, CImportDlg::kImport);
        auto* cancel = pf::dlgItemAs<QPushButton>(&dialog, CImportDlg::kCancel);
        ASSERT_NE(nullptr, import);
        ASSERT_NE(nullptr, cancel);
        EXPECT_EQ("Import", import->text().toStdString());
        // Each button is centred in its half of the dialog.
        const int half = dialog.width() / 2;
        EXPECT_NEAR(half / 2, import->geometry().center().x(), 1);
        EXPECT_NEAR(half + half / 2, cancel->geometry().center().x(), 1);
        import->click();
    });
    qvtest::expectBox(kComplete, pf::IDOK);
    qv::OfferPriorYearImport(*doc);
    EXPECT_EQ(1, copies("USDW2"));
    ASSERT_FALSE(shot.isNull());
    shot.save(QString::fromStdString(qvtest::artifactDir() + "import-offer.png"));

    // The heading: white highlight and dark shadow on the tile, no opaque text box.
    int shadow = 0;
    int white = 0;
    for (int y = 10; y < 60; ++y) {
        for (int x = 20; x < 460; ++x) {
            const QColor c = shot.pixelColor(x, y);
            shadow += c == QColor(33, 82, 82);
            white += c == QColor(Qt::white);
        }
    }
    EXPECT_GT(shadow, 200);
    EXPECT_GT(white, 20);
    EXPECT_EQ(shot.pixelColor(5, 5), shot.pixelColor(5 + 32, 5 + 32)); // tiled
    // The body is wrapped inside its rectangle: nothing within 40 pixels of the right edge.
    for (int y = 100; y < shot.height() - 60; ++y) {
        for (int x = shot.width() - 38; x < shot.width(); ++x)
            ASSERT_NE(QColor(33, 82, 82), shot.pixelColor(x, y)) << x << "," << y;
    }

    pf::queueDialogCallback([](QDialog& dialog) { dialog.reject(); });
    qv::OfferPriorYearImport(*doc); // Cancel: nothing happens
}

} // namespace
