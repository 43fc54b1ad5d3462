#include "../modules/moduletestsupport.h"

#include "app/money.h"
#include "forms/daynumber.h"
#include "forms/fieldformat.h"
#include "forms/fieldstore.h"
#include "modules/taxmodule.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstring>
#include <string>

namespace {

// A field of a type the reference module does not have, or with flags it cannot carry.
class FakeField final : public CField {
public:
    explicit FakeField(int type) : m_type(type) {}
    int GetFieldNumber() override { return 1; }
    int GetElementIndex() override { return 0; }
    int GetType() override { return m_type; }
    CFormCopy* GetCopy() override { return nullptr; }
    int TestFlag(unsigned mask) override { return (flags & mask) != 0; }
    void SetFlag(unsigned mask, int on) override { flags = on ? flags | mask : flags & ~mask; }
    void Refresh() override { ++refreshes; }
    std::int32_t GetLong() override { return 0; }
    std::int64_t GetMoney() override { return 0; }
    double GetDouble() override { return real; }
    int IsSet() override { return 0; }
    std::int32_t GetDate() override { return 0; }
    int GetText(char* buffer, int size) override {
        std::snprintf(buffer, std::size_t(size), "%s", text.c_str());
        return int(std::strlen(buffer));
    }
    void SetLong(std::int32_t) override {}
    void SetMoney(std::int64_t) override {}
    void SetDouble(double value) override { real = value; }
    void SetChecked(int) override {}
    void SetDate(std::int32_t) override {}
    void SetText(const char* value) override { text = value; }
    std::int32_t GetLongMin() override { return 0; }
    std::int32_t GetLongMax() override { return 0; }
    std::int64_t GetMoneyMin() override { return 0; }
    std::int64_t GetMoneyMax() override { return 0; }
    double GetDoubleMin() override { return 0.0; }
    double GetDoubleMax() override { return 100.0; }
    void Unused25() override {}
    int GetChoice() override { return -1; }
    int GetChoiceCount() override { return 0; }
    int GetChoiceLabel(int, char*, int) override { return 0; }
    int GetChoiceText(int, char*, int) override { return 0; }
    void Unused30() override {}
    void SetChoice(int) override {}

    unsigned flags = 0;
    int refreshes = 0;
    double real = 0.0;
    std::string text;

private:
    int m_type;
};

class FieldStoreTest : public ModuleListTest {
protected:
    void SetUp() override {
        load({});
        fm = modules.federal()->formManager();
        ASSERT_NE(nullptr, fm);
        context.markModified = [this] { ++modifiedMarks; };
    }

    // The field `name` of the first copy of `form`, made when there is none.
    CField& field(const char* form, const char* name) {
        const int index = fm->FindForm(form);
        EXPECT_NE(0, index) << form;
        CFormCopy* copy = fm->GetFormCopy(index, 1);
        if (!copy)
            copy = fm->AddFormCopy(index, 1, 0);
        CField* f = copy ? copy->GetField(fm->FindField(index, name, 0)) : nullptr;
        EXPECT_NE(nullptr, f) << form << "." << name;
        return *f;
    }

    qv::StoreResult store(CField& f, const std::string& text) {
        return qv::StoreFieldText(f, text, context);
    }

    CFormManager* fm = nullptr;
    qv::StoreContext context;
    int modifiedMarks = 0;
};

struct StoreCase {
    const char* form;
    const char* field;
    const char* typed;
    const char* shown;      // the value as drawn afterwards; for a refused text, the old value
    const char* error = ""; // the message when refused
};

TEST_F(FieldStoreTest, TypedTextsAgainstReferenceFields) {
    const char* money = "Please enter a dollar amount between $-99,999,999.99 and $99,999,999.99";
    const char* months = "Please enter a number between 0 and 12";
    const char* ssn = "Please enter a SSN as ###-##-####";
    const StoreCase cases[] = {
        {"USF1040", "L21", " 1,234.5 ", "1,234.50"},
        {"USF1040", "L21", "12abc", "12.00"},
        {"USF1040", "L21", "-0.059", "-0.05"},
        {"USF1040", "L21", "+1234567.891", "1,234,567.89"},
        {"USF1040", "L21", "99999999.99", "99,999,999.99"},
        {"USF1040", "L21", "100000000", "99,999,999.99", money},
        {"USF1040", "L21", "-100000000", "99,999,999.99", money},
        {"USF1040", "L21", "99999999999999999999999", "99,999,999.99", money},
        {"USF1040", "L21", "", "0.00"},
        {"USDDEP", "MONTHS", "12.7", "12"},
        {"USDDEP", "MONTHS", "13", "12", months},
        {"USDDEP", "MONTHS", "-1", "12", months},
        // 2^32 + 7 must not wrap into the range.
        {"USDDEP", "MONTHS", "4294967303", "12", months},
        {"USDDEP", "MONTHS", " 0 ", "0"},
        {"USDDEP", "DOB", "7/4", "07/04/2002"},
        {"USDDEP", "DOB", "2/29/2002", "07/04/2002", "Enter a date as mm/dd/yy"},
        {"USDDEP", "DOB", "inherited", "Inherit"},
        {"USDDEP", "DOB", "Various", "Various"},
        {"USDDEP", "DOB", "BANKRUPT", "Bankrupt"},
        {"USDDEP", "DOB", "01/31/99", "01/31/1999"},
        {"USDDEP", "DOB", "", ""},
        {"USF1040", "SSN", "died", "DIED"},
        {"USF1040", "SSN", "123-45-6789", "123-45-6789"},
        {"USF1040", "SSN", "123-45-678", "123-45-6789", ssn},
        {"USF1040", "SSN", "diedx", "123-45-6789", ssn},
        {"USF1040", "SSN", "", ""},
        {"USDW2", "EIN", "12-345678", "", "Please enter an EIN as ##-#######"},
        {"USDW2", "EIN", "12-3456789", "12-3456789"},
        {"USF1040", "FNAME", " Ann  Lee ", " Ann  Lee "},
    };
    for (const StoreCase& c : cases) {
        SCOPED_TRACE(std::string(c.form) + "." + c.field + " <- \"" + c.typed + "\"");
        CField& f = field(c.form, c.field);
        const unsigned before = f.TestFlag(FF_ENTERED) ? 1 : 0;
        const qv::StoreResult r = store(f, c.typed);
        if (*c.error) {
            EXPECT_EQ(qv::StoreOutcome::Refused, r.outcome);
            EXPECT_EQ(c.error, qv::EntryErrorText(f, r.error));
            EXPECT_EQ(before, f.TestFlag(FF_ENTERED) ? 1u : 0u);
        } else {
            EXPECT_EQ(qv::StoreOutcome::Stored, r.outcome);
            const bool empty = !*c.typed;
            EXPECT_EQ(!empty, f.TestFlag(FF_HASVALUE) != 0);
            EXPECT_EQ(!empty, f.TestFlag(FF_ENTERED) != 0);
        }
        EXPECT_EQ(c.shown, qv::FieldValueText(f));
    }
    EXPECT_EQ(0, field("USDDEP", "DOB").GetDate());
    EXPECT_EQ(0, field("USF1040", "L21").GetMoney());
}

TEST_F(FieldStoreTest, WholeDollarBoxesRoundHalvesAwayFromZero) {
    CField& wages = field("USF1040", "L21");
    context.layoutFlags = MF_WHOLE_DOLLARS;
    const std::pair<const char*, std::int64_t> cases[] = {
        {"12.49", 1200}, {"12.50", 1300}, {"-12.50", -1300}, {"-12.49", -1200}, {"0.5", 100}};
    for (const auto& [typed, cents] : cases) {
        ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, typed).outcome);
        EXPECT_EQ(cents, wages.GetMoney()) << typed;
    }
    ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, "1234567.50").outcome);
    EXPECT_EQ("1,234,568", qv::FieldValueText(wages, MF_WHOLE_DOLLARS));
    EXPECT_EQ("1,234,568.00", qv::FieldValueText(wages, MF_WHOLE_DOLLARS | MF_APPEND_ZERO_CENTS));
    EXPECT_EQ(INT64_MAX / 100 * 100, qv::RoundToWholeDollars(INT64_MAX));
    EXPECT_EQ(-(INT64_MAX / 100 * 100), qv::RoundToWholeDollars(INT64_MIN + 1));
}

TEST_F(FieldStoreTest, StoreMarksTheReturnCopyAndRecalculates) {
    CField& wages = field("USDW2", "WAGES");
    CFormCopy* w2 = wages.GetCopy();
    w2->SetCopyFlag(CF_CHANGED, 0);
    CField& total = field("USF1040", "L7");

    ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, "5000").outcome);
    EXPECT_EQ(1, modifiedMarks);
    EXPECT_TRUE(w2->TestFlag(CF_USERMODIFIED));
    EXPECT_TRUE(w2->TestFlag(CF_HASENTRIES));
    EXPECT_EQ(500000, total.GetMoney()); // the module recalculated

    // A refused text changes nothing at all.
    ASSERT_EQ(qv::StoreOutcome::Refused, store(wages, "123456789012").outcome);
    EXPECT_EQ(1, modifiedMarks);
    EXPECT_EQ(500000, wages.GetMoney());

    // Neither a not-modifying field nor a not-modifying copy marks the return.
    wages.SetFlag(FF_NOTMODIFYING, 1);
    ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, "1").outcome);
    wages.SetFlag(FF_NOTMODIFYING, 0);
    w2->SetCopyFlag(CF_NOTMODIFYING, 1);
    ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, "").outcome);
    EXPECT_EQ(1, modifiedMarks);
    EXPECT_EQ(0, total.GetMoney());
    EXPECT_FALSE(wages.TestFlag(FF_HASVALUE | FF_ENTERED));
}

TEST_F(FieldStoreTest, OverrideAndEstimateOnACalculatedField) {
    CField& wages = field("USDW2", "WAGES");
    CField& total = field("USF1040", "L7");
    ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, "100").outcome);
    modifiedMarks = 0;

    EXPECT_TRUE(qv::NeedsOverride(total));
    EXPECT_EQ(FIELD_COLOR_CALCULATED, qv::StateColor(&total));
    EXPECT_FALSE(qv::ClearOverride(total, context));
    ASSERT_TRUE(qv::OverrideField(total, context));
    EXPECT_FALSE(qv::NeedsOverride(total));
    EXPECT_EQ(FIELD_COLOR_OVERRIDDEN, qv::StateColor(&total));
    ASSERT_EQ(qv::StoreOutcome::Stored, store(total, "250").outcome);
    EXPECT_EQ(25000, total.GetMoney());
    ASSERT_EQ(qv::StoreOutcome::Stored, store(wages, "300").outcome);
    EXPECT_EQ(25000, total.GetMoney()); // the user's value stays

    ASSERT_TRUE(qv::ClearOverride(total, context));
    EXPECT_EQ(30000, total.GetMoney());
    EXPECT_FALSE(total.TestFlag(FF_OVERRIDDEN | FF_HASVALUE | FF_ENTERED));
    EXPECT_TRUE(qv::NeedsOverride(total));
    EXPECT_EQ(4, modifiedMarks); // override, two stores, clear

    EXPECT_EQ(FIELD_COLOR_INPUT, qv::StateColor(&wages));
    ASSERT_TRUE(qv::ToggleEstimate(wages, context));
    EXPECT_EQ(FIELD_COLOR_ESTIMATED, qv::StateColor(&wages));
    ASSERT_TRUE(qv::ToggleEstimate(wages, context));
    EXPECT_FALSE(wages.TestFlag(FF_ESTIMATED));
    EXPECT_FALSE(qv::ClearEstimate(wages, context));
    ASSERT_TRUE(qv::ToggleEstimate(wages, context));
    ASSERT_TRUE(qv::ClearEstimate(wages, context));
    EXPECT_FALSE(wages.TestFlag(FF_ESTIMATED));
}

TEST_F(FieldStoreTest, ChoiceIsFoundExactlyThenByPrefix) {
    CField& status = field("USF1040", "FS");
    ASSERT_GT(status.GetChoiceCount(), 1);
    char first[100] = {}, second[100] = {};
    status.GetChoiceText(0, first, sizeof first);
    status.GetChoiceText(1, second, sizeof second);
    ASSERT_TRUE(qv::StoreChoiceText(status, second, context));
    EXPECT_EQ(1, status.GetChoice());
    EXPECT_TRUE(status.TestFlag(FF_ENTERED));
    EXPECT_FALSE(qv::StoreChoiceText(status, second, context)); // unchanged: nothing stored
    ASSERT_TRUE(qv::StoreChoiceText(status, std::string(first).substr(0, 3), context));
    EXPECT_EQ(0, status.GetChoice());
    ASSERT_TRUE(qv::StoreChoiceText(status, "no such status", context));
    EXPECT_EQ(-1, status.GetChoice());
    EXPECT_FALSE(status.TestFlag(FF_HASVALUE | FF_ENTERED));
    EXPECT_EQ(3, modifiedMarks);
}

TEST(FieldStore, DecimalAndPhoneFields) {
    qv::StoreContext twoPlaces;
    twoPlaces.decimals = 2;
    FakeField rate(FT_DECIMAL);
    const std::pair<const char*, double> stored[] = {
        {"1.005", 1.01}, {" 2.344 ", 2.34}, {"100", 100.0}, {"", 0.0}};
    for (const auto& [typed, value] : stored) {
        ASSERT_EQ(qv::StoreOutcome::Stored, qv::StoreFieldText(rate, typed, twoPlaces).outcome)
            << typed;
        EXPECT_DOUBLE_EQ(value, rate.real) << typed;
    }
    for (const char* typed : {"100.01", "-0.5", "nan", "inf"}) {
        const qv::StoreResult r = qv::StoreFieldText(rate, typed, twoPlaces);
        EXPECT_EQ(qv::StoreOutcome::Refused, r.outcome) << typed;
        EXPECT_EQ("Please enter a number between 0.000000 and 100.000000",
                  qv::EntryErrorText(rate, r.error));
    }
    rate.real = 2.5;
    EXPECT_EQ("2.50", qv::FieldValueText(rate, 0, 2));
    EXPECT_EQ("2.500000", qv::FieldValueText(rate));

    FakeField phone(FT_PHONE);
    const qv::StoreResult shortPhone = qv::StoreFieldText(phone, "(555)555-555", {});
    EXPECT_EQ(qv::StoreOutcome::Refused, shortPhone.outcome);
    EXPECT_EQ("Please enter a Phone as (###)###-####", qv::EntryErrorText(phone, 0));
    EXPECT_EQ(qv::StoreOutcome::Stored, qv::StoreFieldText(phone, "(555)555-5555", {}).outcome);
    EXPECT_EQ("(555)555-5555", phone.text);
    EXPECT_TRUE(phone.TestFlag(FF_ENTERED));

    // Types that are not stored from a text are left alone.
    for (int type : {FT_CHECK, FT_OPTION, 11, FT_CHOICE}) {
        FakeField other(type);
        EXPECT_EQ(qv::StoreOutcome::NotStored, qv::StoreFieldText(other, "x", {}).outcome);
        EXPECT_EQ(0, other.refreshes);
        EXPECT_EQ(0u, other.flags);
    }
}

TEST(FieldState, ColoursOverridesAndDateErrorTexts) {
    struct Case {
        unsigned flags;
        std::uint32_t colour;
        bool needsOverride;
    } cases[] = {
        {0, FIELD_COLOR_INPUT, false},
        {FF_PROTECTED | FF_OVERRIDDEN | FF_CALCULATED, FIELD_COLOR_PROTECTED, false},
        {FF_OVERRIDDEN | FF_CALCULATED | FF_ESTIMATED, FIELD_COLOR_OVERRIDDEN, false},
        {FF_CALCULATED | FF_ESTIMATED, FIELD_COLOR_CALCULATED, true},
        {FF_CALCULATED | FF_ENTERABLE, FIELD_COLOR_INPUT, false},
        {FF_CALCULATED | FF_ENTERABLE | FF_ESTIMATED, FIELD_COLOR_ESTIMATED, false},
    };
    for (const Case& c : cases) {
        FakeField f(FT_MONEY);
        f.flags = c.flags;
        EXPECT_EQ(c.colour, qv::StateColor(&f)) << std::hex << c.flags;
        EXPECT_EQ(c.needsOverride, qv::NeedsOverride(f)) << std::hex << c.flags;
    }
    EXPECT_EQ(FIELD_COLOR_INPUT, qv::StateColor(nullptr));

    FakeField locked(FT_MONEY);
    locked.flags = FF_PROTECTED | FF_CALCULATED;
    EXPECT_FALSE(qv::OverrideField(locked, {}));
    EXPECT_FALSE(qv::ToggleEstimate(locked, {}));
    FakeField input(FT_MONEY);
    EXPECT_FALSE(qv::OverrideField(input, {}));
    EXPECT_EQ(0u, locked.flags & ~(FF_PROTECTED | FF_CALCULATED));
    EXPECT_EQ(0u, input.flags);

    FakeField date(FT_DATE);
    EXPECT_EQ("Please enter a Date as mm/dd/yyyy", qv::EntryErrorText(date, qv::EE_GENERAL));
    EXPECT_EQ("A month must be between 1 and 12.", qv::EntryErrorText(date, qv::EE_BAD_MONTH));
    EXPECT_EQ("A day must be between 1 and 31.", qv::EntryErrorText(date, qv::EE_BAD_DAY));
    EXPECT_EQ("Enter a date as mm/dd/yy", qv::EntryErrorText(date, qv::EE_BAD_DATE));
    FakeField check(FT_CHECK);
    EXPECT_EQ("", qv::EntryErrorText(check, 0));
}

TEST(FieldTypes, MasksAndLimits) {
    struct Case {
        int type;
        const char* mask;
        int limit;
    } cases[] = {{FT_MONEY, "###########", 11},
                 {FT_INTEGER, "#############", 13},
                 {FT_DATE, "##/##/####", 10},
                 {FT_DECIMAL, "#######", 8},
                 {FT_SSN, "###-##-####", 11},
                 {FT_EIN, "##-#######", 10},
                 {FT_PHONE, "(###)###-####", 13},
                 {FT_CHECK, "", 0},
                 {FT_CHOICE, "", 0}};
    for (const Case& c : cases) {
        const qv::FieldTypeInfo info = qv::TypeInfo(c.type);
        EXPECT_STREQ(c.mask, info.mask) << c.type;
        EXPECT_EQ(c.limit, info.limit) << c.type;
    }
    EXPECT_EQ(25, qv::TypeInfo(FT_TEXT).limit);
    EXPECT_EQ(40, qv::TypeInfo(FT_TEXT, 40).limit);
    EXPECT_EQ(30, qv::TypeInfo(11, 30).limit);
    EXPECT_TRUE(qv::TypeInfo(FT_MONEY).rightAligned);
    EXPECT_FALSE(qv::TypeInfo(FT_DATE).rightAligned);
    EXPECT_FALSE(qv::TypeInfo(FT_OPTION).textEntry);
}

} // namespace
