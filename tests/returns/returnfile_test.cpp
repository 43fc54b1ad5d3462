#include "returntest.h"

#include "platform/filedialog.h"
#include "platform/library.h"
#include "platform/paths.h"

#include <cstdio>

namespace {

const char* const kCannotOpen =
    "Unable to open %s file. Please verify the file still exists on your computer.";

std::string cannotOpen(const std::string& path) {
    char text[1024];
    std::snprintf(text, sizeof text, kCannotOpen, path.c_str());
    return text;
}

std::string versionText(const char* file) {
    const std::uint64_t v = pf::libraryFileVersion(pf::progDir() + file);
    return std::to_string(pf::versionMajor(v)) + "." + std::to_string(pf::versionMinor(v));
}

// Rewrites a saved return with some entries changed, as a hand-made file would have them.
void edit(const std::string& path, const std::vector<std::pair<std::string, std::string>>& put,
          const std::vector<std::string>& remove = {}) {
    CMemDataFile f;
    ASSERT_EQ(1, f.Open(path));
    for (const auto& [name, value] : put)
        f.Put(name, value.c_str(), std::uint32_t(value.size() + 1));
    for (const std::string& name : remove)
        f.Remove(name);
    ASSERT_EQ(1, f.Save());
}

using ReturnFile = ReturnTest;

TEST_F(ReturnFile, SavingWritesTheSectionSetOnceHoweverOftenItSaves) {
    pf::Profile::app().writeString("DATA", "SOURCE_CODE", "QV-RETAIL");
    ASSERT_TRUE(doc->OnNewDocument());
    setText("USF1040", 1, "FNAME", "John");
    setText("USF1040", 1, "LNAME", "Doe");
    setText("USF1040", 1, "SSN", "123-45-6789");
    addCopy("USDW2");
    const std::string path = at("Doe.ta2");
    ASSERT_TRUE(doc->DoSave(path));
    ASSERT_TRUE(doc->DoSave(path));
    const std::vector<std::string> expected = {
        "APPDATA",
        "PRODUCTCODE",
        "MODDATA_FEDERAL",
        "MODMAP_FEDERAL",
        "FORMMAP_FEDERAL_USF1040",
        "FORMDATA_FEDERAL_USF1040_1",
        // Forms 1040A and 1040EZ show the 1040's figures for reference.
        "FORMMAP_FEDERAL_USF1040A",
        "FORMDATA_FEDERAL_USF1040A_1",
        "FORMMAP_FEDERAL_USF1040EZ",
        "FORMDATA_FEDERAL_USF1040EZ_1",
        "FORMMAP_FEDERAL_USDW2",
        "FORMDATA_FEDERAL_USDW2_1",
        // Schedules B, D and SE exist in every return; they print only when needed.
        "FORMMAP_FEDERAL_USSCHB",
        "FORMDATA_FEDERAL_USSCHB_1",
        "FORMMAP_FEDERAL_USSCHD",
        "FORMDATA_FEDERAL_USSCHD_1",
        "FORMMAP_FEDERAL_USSCHSE",
        "FORMDATA_FEDERAL_USSCHSE_1",
        // The review, interview and e-file worksheets every return keeps.
        "FORMMAP_FEDERAL_USFAUDIT",
        "FORMDATA_FEDERAL_USFAUDIT_1",
        "FORMMAP_FEDERAL_USFINTERVIEW",
        "FORMDATA_FEDERAL_USFINTERVIEW_1",
        "FORMMAP_FEDERAL_USFINTERVIEWA",
        "FORMDATA_FEDERAL_USFINTERVIEWA_1",
        "FORMMAP_FEDERAL_USWREC",
        "FORMDATA_FEDERAL_USWREC_1",
        "FORMMAP_FEDERAL_USW1040SUPP",
        "FORMDATA_FEDERAL_USW1040SUPP_1",
        "FORMMAP_FEDERAL_USWEFWKSHT",
        "FORMDATA_FEDERAL_USWEFWKSHT_1",
        "FORMMAP_FEDERAL_USWAVERAGES",
        "FORMDATA_FEDERAL_USWAVERAGES_1",
        "FORMMAP_FEDERAL_USWEFQUAL",
        "FORMDATA_FEDERAL_USWEFQUAL_1",
        "FORMMAP_FEDERAL_USWFILINGINST",
        "FORMDATA_FEDERAL_USWFILINGINST_1",
        "MODDATA_IL",
        "MODMAP_IL",
    };
    EXPECT_EQ(expected, listed(path));

    CDataFile saved;
    ASSERT_EQ(1, saved.Open(path));
    EXPECT_EQ("Doe,John,,123-45-6789,", saved.GetComment());
    const auto entry = [&saved](const char* name) {
        std::string bytes(saved.GetLength(name), '\0');
        saved.Get(name, bytes.data());
        return bytes;
    };
    const std::string appData = "2002 DELUXE FINAL 1.0 " + versionText("FEDCALC.so") + " " +
                                versionText("FEDPRINT.so") + " 0.0 0.0";
    EXPECT_EQ(appData + '\0', entry("APPDATA"));
    EXPECT_EQ(std::string("QV-RETAIL") + '\0', entry("PRODUCTCODE"));
    EXPECT_EQ(modules.federal()->GetModuleVersion() + " ACTIVE" + '\0', entry("MODDATA_FEDERAL"));
    EXPECT_EQ(il()->GetModuleVersion() + '\0', entry("MODDATA_IL"));
    EXPECT_FALSE(doc->isModified());
}

TEST_F(ReturnFile, AnActiveStateIsSavedAndComesBackActive) {
    ASSERT_TRUE(doc->OnNewDocument());
    il()->SetActive(true);
    addCopy("USDW2");
    setText("USDW2", 1, "EMPLOYER", "Acme Tools");
    const std::string path = at("Both.ta2");
    ASSERT_TRUE(doc->DoSave(path));
    EXPECT_EQ(il()->GetModuleVersion() + " ACTIVE", [&] {
        CDataFile saved;
        saved.Open(path);
        std::string bytes(saved.GetLength("MODDATA_IL"), '\0');
        saved.Get("MODDATA_IL", bytes.data());
        return std::string(bytes.c_str());
    }());
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_FALSE(il()->IsActive());
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_TRUE(il()->IsActive());
    EXPECT_EQ("Acme Tools", text("USDW2", 1, "EMPLOYER"));
    // The form managers own the module data while the return is open.
    EXPECT_EQ(0, file.Exists("MODDATA_FEDERAL"));
    EXPECT_EQ(path, doc->pathName());
    EXPECT_EQ("Both", doc->title());
    EXPECT_EQ(path, pf::Profile::app().getString("DATA", "LAST FILE OPENED"));
}

TEST_F(ReturnFile, HandMadeReturnsOpenOrFailAsTheirSectionsSay) {
    const std::string path = savedReturn("Hand.ta2", "Acme Tools");
    const std::string version = modules.federal()->GetModuleVersion();

    // No federal sections at all: a fresh federal return, the states left out.
    edit(path, {}, {"MODDATA_FEDERAL"});
    il()->SetActive(true);
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_EQ(1, copies("USF1040"));
    EXPECT_EQ(0, copies("USDW2"));
    EXPECT_FALSE(il()->IsActive());

    // Another version of the module without its map; a form this version does not know.
    const struct {
        const char* what;
        std::vector<std::pair<std::string, std::string>> put;
        std::vector<std::string> remove;
    } broken[] = {
        {"version changed, no map", {{"MODDATA_FEDERAL", "2001.9 3 ACTIVE"}}, {"MODMAP_FEDERAL"}},
        {"unknown form",
         {{"MODDATA_FEDERAL", version + " ACTIVE"}, {"FORMDATA_FEDERAL_USNOSUCH_1", "x"}},
         {}},
    };
    for (const auto& c : broken) {
        const std::string good = savedReturn("Good.ta2", "Good Employer");
        const std::string bad = savedReturn("Bad.ta2", "Bad Employer");
        edit(bad, c.put, c.remove);
        ASSERT_TRUE(doc->OpenDocumentFile(good));
        qvtest::expectBox(cannotOpen(bad), pf::IDOK);
        EXPECT_FALSE(doc->OpenDocumentFile(bad)) << c.what;
        // Nothing lost: the return open before is open again, whole.
        EXPECT_EQ(good, doc->pathName()) << c.what;
        EXPECT_EQ("Good Employer", text("USDW2", 1, "EMPLOYER")) << c.what;
        EXPECT_EQ(1, copies("USDW2")) << c.what;
        EXPECT_EQ(good, pf::Profile::app().getString("DATA", "LAST FILE OPENED"));
    }

    // A return of another program year opens as an empty return.
    edit(path, {{"APPDATA", "2001 DELUXE FINAL 1.0"}, {"MODDATA_FEDERAL", version + " ACTIVE"}});
    qvtest::expectBox("Unable to load return data.\n\nThe file was not created by Quorva 2002.  "
                      "An empty return will be created.",
                      pf::IDOK);
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_EQ(0, copies("USDW2"));
}

TEST_F(ReturnFile, AMissingFileIsRefusedAndThePreviousReturnStays) {
    const std::string good = savedReturn("Good.ta2", "Acme Tools");
    const std::string gone = at("Gone.ta2");
    EXPECT_FALSE(doc->OpenReturnFile(gone)); // silently: nothing to recover from
    qvtest::expectBox(cannotOpen(gone), pf::IDOK);
    EXPECT_FALSE(doc->OpenDocumentFile(gone));
    EXPECT_EQ(good, doc->pathName());
    EXPECT_EQ("Acme Tools", text("USDW2", 1, "EMPLOYER"));
    EXPECT_EQ(good, file.GetPath());
}

TEST_F(ReturnFile, AFailedSaveKeepsTheFileAndTheModifiedFlag) {
    const std::string path = savedReturn("Keep.ta2", "Acme Tools");
    const std::string before = qvtest::readFile(path);
    setText("USDW2", 1, "EMPLOYER", "Changed");
    doc->SetReturnModified(true);
    const std::string nowhere = at("no-such-folder/Keep.ta2");
    qvtest::expectBox("Unable to save " + nowhere, pf::IDOK);
    EXPECT_FALSE(doc->DoSave(nowhere));
    EXPECT_TRUE(doc->isModified());
    EXPECT_EQ(path, doc->pathName());
    EXPECT_EQ(before, qvtest::readFile(path));
    // The next save goes where the document lives.
    ASSERT_TRUE(doc->DoFileSave());
    EXPECT_FALSE(doc->isModified());
    ASSERT_TRUE(doc->OpenDocumentFile(path));
    EXPECT_EQ("Changed", text("USDW2", 1, "EMPLOYER"));
}

TEST_F(ReturnFile, SaveAsProposesTheTaxpayersNames) {
    ASSERT_TRUE(doc->OnNewDocument());
    EXPECT_EQ(CTaxDoc::ScratchPath(), doc->pathName());
    EXPECT_EQ("Untitled", doc->title());
    std::vector<pf::FileDialogSpec> asked;
    pf::setFileDialogHandler([&asked](const pf::FileDialogSpec& spec) {
        asked.push_back(spec);
        return std::string();
    });
    EXPECT_FALSE(doc->DoFileSave()); // cancelled
    setText("USF1040", 1, "FNAME", "John");
    setText("USF1040", 1, "LNAME", "Doe");
    EXPECT_FALSE(doc->DoSave({}, false));
    ASSERT_EQ(2u, asked.size());
    EXPECT_EQ("2002 Tax Return File.ta2", asked[0].initialName);
    EXPECT_EQ("Save As", asked[0].title);
    EXPECT_EQ("John Doe's 2002 Tax Return.ta2", asked[1].initialName);
    EXPECT_EQ("Save Copy As", asked[1].title);
    EXPECT_EQ("2002 Tax Return Files (*.ta2, *.bak)|*.ta2;*.bak||", asked[1].filter);

    pf::setFileDialogHandler([](const pf::FileDialogSpec&) { return at("Untitled.ta2"); });
    qvtest::expectBox("Untitled is an invalid file name", pf::IDOK);
    EXPECT_FALSE(doc->DoFileSave());
    pf::setFileDialogHandler([](const pf::FileDialogSpec&) { return at("Doe.ta2"); });
    EXPECT_TRUE(doc->DoFileSave());
    EXPECT_EQ(at("Doe.ta2"), doc->pathName());
    EXPECT_EQ(at("Doe.ta2"), pf::Profile::app().getString("DATA", "LAST FILE OPENED"));
}

TEST_F(ReturnFile, ADamagedReturnIsRestoredFromTheBackupBesideIt) {
    const std::string path = savedReturn("Smith.ta2", "Acme Tools");
    const std::string good = qvtest::readFile(path);
    qvtest::writeFile(path + ".bak", good);
    std::string damaged = good;
    damaged[46] = 'X'; // the last byte of the signature
    qvtest::writeFile(path, damaged);
    ASSERT_TRUE(doc->OnNewDocument());

    const std::string offer = "Unable to open \"" + path +
                              "\".\n\nWould you like to attempt to open the auto-backup file?";
    qvtest::expectBox(offer, pf::IDNO, pf::MB_YESNO | pf::MB_ICONEXCLAMATION);
    EXPECT_FALSE(doc->OpenReturnFile(path));
    EXPECT_EQ(damaged, qvtest::readFile(path));

    qvtest::expectBox(offer, pf::IDYES);
    qvtest::expectBox("Quorva successfully opened the auto-backup file \"" + path +
                          "\".\n\nTake a moment to review your most recent changes.",
                      pf::IDOK, pf::MB_OK | pf::MB_ICONINFORMATION);
    ASSERT_TRUE(doc->OpenReturnFile(path));
    EXPECT_EQ(good, qvtest::readFile(path));
    EXPECT_EQ("Acme Tools", text("USDW2", 1, "EMPLOYER"));
}

TEST_F(ReturnFile, SavingAskedForOnlyWhenModified) {
    const std::string path = savedReturn("Ask.ta2", "Acme Tools");
    EXPECT_TRUE(doc->SaveModified());
    doc->SetReturnModified(true);
    EXPECT_NE(0, field("USF1040", 1, "Modified")->IsSet());
    const std::string question =
        "The currently opened return has been modified. \n\nDo you wish to save the changes?";
    qvtest::expectBox(question, pf::IDCANCEL);
    EXPECT_FALSE(doc->SaveModified());
    qvtest::expectBox(question, pf::IDNO);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_TRUE(doc->isModified());
    qvtest::expectBox(question, pf::IDYES);
    EXPECT_TRUE(doc->SaveModified());
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(0, field("USF1040", 1, "Modified")->IsSet());
}

} // namespace
