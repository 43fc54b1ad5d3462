#pragma once

// Command ids of the main menu and accelerators; the numbers are part of the design.
namespace qv::cmd {

enum : int {
    NewReturn = 57600,
    OpenReturn = 57601,
    SaveReturn = 57603,
    SaveReturnAs = 57604,
    PrintSetup = 57606,
    PrintForm = 57607,
    RecentFile1 = 57616,
    Exit = 57665,
    About = 57664,
    ImportPriorYear = 33018,
    ImportGains = 3403,
    Backup = 32774,
    RestoreBackup = 33037,
    PasswordAdd = 33010,
    PasswordChange = 33008,
    PasswordDelete = 33009,
    DeleteReturn = 3317,
    CustomPrint = 33031,
    PrintReturn = 32772,
    SelectState = 32795,
    ResetStateData = 32796,
    VersionInformation = 33005,
    AutoSave = 32964,
    AutoBackup = 33020,
    SelectBrowser = 33033,
    IrsPublications = 156,
};

// First ids of the state sub-menus; each numbers its items upwards from its own first id.
enum : int {
    StateFilingInstructions = 33042,
    StateFilePaper = 181,
    StateProgramUpdates = 33171,
    StateFileElectronically = 33085,
    StateEFileChecklist = 33128,
};

// The Edit pop-up and the field commands of the in-place editors.
enum : int {
    EditCut = 57635,
    EditCopy = 57634,
    EditPaste = 57637,
    EditUndo = 57643,
    EditDelete = 32867,
    OpenSupportingForm = 32776,
    OverrideField = 32777,
    ClearOverride = 32778,
    MarkAsEstimate = 32779,
    AddLineItemDetails = 32780,
    ClearEstimate = 32859,
    ProgramHelp = 32951,
};

} // namespace qv::cmd
