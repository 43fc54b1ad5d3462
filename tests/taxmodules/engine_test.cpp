// The form-manager engine on a small module of its own: what the reference modules do not use
// yet (option groups, fields with several elements) but the slots promise.
#include "moduleformmanager.h"

#include <gtest/gtest.h>

namespace {

const qv::ModuleDef& sampleModule() {
    static const qv::ModuleDef def = [] {
        qv::FormDef form;
        form.name = "USWSAMPLE";
        form.title = "Sample";
        form.maxCopies = 3;
        qv::FieldDef option = qv::makeField("OPT", FT_OPTION);
        option.optionGroup = 1;
        qv::FieldDef other = qv::makeField("OTHER", FT_OPTION);
        other.optionGroup = 1;
        qv::FieldDef lone = qv::makeField("LONE", FT_OPTION);
        qv::FieldDef rows = qv::makeField("ROW", FT_MONEY);
        rows.elements = 3;
        form.fields = {option, other, lone, rows, qv::makeField("NOTE", FT_TEXT)};
        qv::ModuleDef m;
        m.name = "FEDERAL";
        m.title = "Federal";
        m.version = "1 1";
        m.federal = true;
        m.forms = {form};
        return m;
    }();
    return def;
}

class EngineTest : public ::testing::Test {
protected:
    void TearDown() override { fm->Release(); }
    CFormManager* fm = new qv::ModuleFormManager(sampleModule());
};

TEST_F(EngineTest, FieldsWithElementsHaveConsecutiveNumbers) {
    const int form = fm->FindForm("uswsample");
    const int row0 = fm->FindField(form, "ROW", 0);
    EXPECT_EQ(row0, 4);
    EXPECT_EQ(fm->FindField(form, "row", 2), row0 + 2);
    EXPECT_EQ(fm->FindField(form, "ROW", 3), 0);
    EXPECT_EQ(fm->FindField(form, "ROW", -1), 0);
    EXPECT_EQ(fm->FindField(form, "NOTE", 0), row0 + 3);
    EXPECT_EQ(fm->GetFieldCount(form), 7);
    CFormCopy* copy = fm->AddFormCopy(form, 1, 0);
    CField* last = copy->GetField(row0 + 2);
    EXPECT_EQ(last->GetElementIndex(), 2);
    char name[QV_NAME_SIZE];
    fm->GetFieldName(name, sizeof name, form, row0 + 2);
    EXPECT_STREQ(name, "ROW");
}

TEST_F(EngineTest, SelectingAnOptionClearsTheRestOfItsGroupOnly) {
    const int form = fm->FindForm("USWSAMPLE");
    CFormCopy* copy = fm->AddFormCopy(form, 1, 0);
    const int opt = fm->FindField(form, "OPT", 0);
    const int other = fm->FindField(form, "OTHER", 0);
    const int lone = fm->FindField(form, "LONE", 0);
    EXPECT_EQ(copy->GetOptionGroup(opt), 1);
    EXPECT_EQ(copy->GetOptionGroup(lone), 0);
    EXPECT_EQ(copy->GetOptionGroup(fm->FindField(form, "NOTE", 0)), 0);
    copy->GetField(lone)->SetChecked(1);
    copy->SelectOption(opt);
    EXPECT_NE(copy->GetField(opt)->IsSet(), 0);
    copy->SelectOption(other);
    EXPECT_EQ(copy->GetField(opt)->IsSet(), 0);
    EXPECT_NE(copy->GetField(other)->IsSet(), 0);
    EXPECT_NE(copy->GetField(lone)->IsSet(), 0);        // not in the group
    copy->SelectOption(fm->FindField(form, "NOTE", 0)); // not an option: nothing happens
    EXPECT_NE(copy->GetField(other)->IsSet(), 0);
}

TEST_F(EngineTest, SavedTextsAreKeptWhole) {
    const int form = fm->FindForm("USWSAMPLE");
    CFormCopy* copy = fm->AddFormCopy(form, 1, 0);
    CField* note = copy->GetField(fm->FindField(form, "NOTE", 0));
    const std::string longText(300, 'x');
    note->SetText(longText.c_str());
    char buf[QV_LONGTEXT_SIZE];
    EXPECT_EQ(note->GetText(buf, sizeof buf), 255); // at most 255 characters
    std::string blob(std::size_t(copy->GetDataSize()), '\0');
    ASSERT_GT(copy->GetData(blob.data(), int(blob.size())), 0);
    CFormCopy* other = fm->AddFormCopy(form, 0, 0);
    fm->DeleteFormCopy(copy);
    ASSERT_EQ(other->SetData(blob.data(), int(blob.size())), 1);
    EXPECT_EQ(other->GetCopyNumber(), 1);
    EXPECT_EQ(other->GetField(fm->FindField(form, "NOTE", 0))->GetText(buf, sizeof buf), 255);
}

} // namespace
