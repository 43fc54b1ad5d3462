#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The copy of a form a question works on. Always copied as a whole.
struct CopyContext {
    std::uint8_t module = 0; // module position, 1 = federal; 0 = no copy
    std::uint16_t form = 0;  // form index
    std::uint16_t copy = 0;  // copy number
    bool operator==(const CopyContext&) const = default;
};

// One question of an interview or audit script: its page, its help and images, the form copy
// it works on, and the three lists of lines the flow runs. Created by the script loader; the
// branch stack owns it once pushed.
struct Question {
    // Stop mark: the next walk stops here once and clears it.
    int waiting = 0;
    // Loaded as a branch.
    int branch = 0;
    // The next-question list has been used, or the question is finished.
    int done = 1;
    // Stays on the branch stack after its next-question list is used.
    int keep = 0;
    // The history list's identifier for the visit that showed this question.
    int historyId = 0;
    // Going back re-opened the question.
    int reopened = 0;
    // A seventh state word of the saved page record, never set by the program; kept so that a
    // page read from a return is written back unchanged.
    int spare = 0;
    CopyContext copyContext;

    std::string parentTarget; // SCRIPT_QUESTION to go back to, or "None"
    std::string script;       // IV_USInterview
    std::string name;         // Step1
    std::string nextAudit;
    std::string advisorScript;
    std::string helpId;
    std::string tgxHelpId;
    std::string text; // the page's HTML
    std::string lhImages;
    std::string hpImages;
    std::string windows;
    std::string rhControls;
    std::string input;
    std::string form; // "FORM,COPYSPEC"

    std::vector<std::string> setFields;
    std::vector<std::string> nextQuestions;
    std::vector<std::string> conditions;

    // SCRIPT_QUESTION.
    std::string FullName() const;

    bool operator==(const Question&) const = default;
};
