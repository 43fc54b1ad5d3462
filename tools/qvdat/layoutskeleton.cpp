// layout-skeleton: a plain first layout for a form kind, made from the fields its form manager
// reports: one row per field, in field order, with the box its type wants. A starting point
// for an author, and the layout of the kinds nobody has drawn by hand.
#include "layoutcompiler.h"
#include "platform/library.h"
#include "qvdat.h"

#include <quorva/field.h>
#include <quorva/formcopy.h>
#include <quorva/formmanager.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace qvdat {
namespace {

constexpr int kTop = 800;      // first row on page 1, below the title band
constexpr int kPageTop = 300;  // first row on later pages
constexpr int kBottom = 10800; // no row starts below this
constexpr int kPitch = 220;

template <class Get>
std::string read(Get get) {
    char buf[QV_LONGTEXT_SIZE] = {};
    get(buf, int(sizeof buf));
    buf[sizeof buf - 1] = '\0';
    return buf;
}

std::string quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\' || c == '$')
            out += c == '$' ? '$' : '\\';
        out += c;
    }
    return out + "\"";
}

// "L8a" reads as "Line 8a"; other names stay as they are.
std::string labelOf(const std::string& name, int element, int elements) {
    std::string label = name;
    if (name.size() >= 2 && name[0] == 'L' && name[1] >= '0' && name[1] <= '9')
        label = "Line " + name.substr(1);
    if (elements > 1)
        label += " (" + std::to_string(element + 1) + ")";
    return label;
}

struct Module {
    pf::Library* lib = nullptr;
    CFormManager* fm = nullptr;
};

Module loadModule(const std::string& path, std::string& err) {
    Module m;
    m.lib = pf::Library::load(path, &err);
    if (!m.lib)
        return m;
    auto create = reinterpret_cast<CreateFormManagerProc>(m.lib->resolve("CreateFormManager"));
    if (!create) {
        err = "exports no CreateFormManager";
        return m;
    }
    m.fm = create();
    if (!m.fm || !m.fm->Initialize()) {
        err = "Initialize failed";
        m.fm = nullptr;
        return m;
    }
    m.fm->CreateDefaultForms(); // copy 1 of the always-present kinds tells the field types
    return m;
}

std::string skeleton(CFormManager* fm, int form) {
    const std::string name = read([&](char* b, int n) { fm->GetFormName(b, n, form); });
    const std::string title = read([&](char* b, int n) { fm->GetFormLongTitle(b, n, form); });
    CFormCopy* copy = fm->GetFormCopy(form, 1);
    if (!copy)
        copy = fm->AddFormCopy(form, 1, 0);

    std::string rows;
    int page = 1;
    int y = kTop;
    const int count = fm->GetFieldCount(form);
    for (int number = 1; number <= count; ++number) {
        const std::string field =
            read([&](char* b, int n) { fm->GetFieldName(b, n, form, number); });
        if (field.empty())
            continue;
        CField* f = copy ? copy->GetField(number) : nullptr;
        const int type = f ? f->GetType() : FT_TEXT;
        const int element = f ? f->GetElementIndex() : 0;
        int elements = 1;
        while (fm->FindField(form, field.c_str(), elements) != 0)
            ++elements;
        if (y > kBottom) {
            rows += "page " + std::to_string(++page) + "\n";
            y = kPageTop;
        }
        const std::string bound = element ? field + "(" + std::to_string(element) + ")" : field;
        const std::string label = quoted(labelOf(field, element, elements));
        const std::string at = "y=" + std::to_string(y);
        switch (type) {
        case FT_MONEY:
        case FT_DECIMAL:
            rows += "money " + at + " field=" + bound + " text=" + label + "\n";
            break;
        case FT_CHECK:
            rows += "checkitem " + at + " field=" + bound + " text=" + label + "\n";
            break;
        case FT_OPTION:
            rows += "optionitem " + at + " field=" + bound + " text=" + label + "\n";
            break;
        case FT_CHOICE:
            rows += "choiceitem " + at + " field=" + bound + " text=" + label + "\n";
            break;
        case FT_INTEGER:
        case FT_DATE:
        case FT_SSN:
        case FT_EIN:
        case FT_PHONE:
            rows += "value " + at + " field=" + bound + " text=" + label + " w=1600\n";
            break;
        default:
            rows += "value " + at + " field=" + bound + " text=" + label + "\n";
        }
        y += kPitch;
    }
    std::string out = "# " + title + ": one row per field, as `qvdat layout-skeleton` made it.\n";
    out += "include \"../../common/layouts/lines.inc\"\n\n";
    out += "header pages=" + std::to_string(page) + " font=7\n";
    out += "title text=" + quoted(title) + " sub=" + quoted(name) + "\n";
    if (count == 0)
        out += "text x=300 y=" + std::to_string(kTop) +
               " w=8000 h=200 font=7 \"This form has no entries of its own.\"\n";
    return out + rows;
}

} // namespace

int cmdLayoutSkeleton(const Args& args) {
    if (args.size() < 2 || args.size() > 3 || (args.size() == 3 && args[1] != "--missing") ||
        (args.size() == 2 && args[1] == "--missing"))
        return usage("layout-skeleton");
    std::string err;
    Module m = loadModule(args[0], err);
    if (!m.fm)
        return fail(1, args[0] + ": " + err);
    int status = 0;
    if (args.size() == 2) {
        const int form = m.fm->FindForm(args[1].c_str());
        if (form == 0)
            status = fail(1, args[0] + ": no form named " + args[1]);
        else
            std::fputs(skeleton(m.fm, form).c_str(), stdout);
    } else {
        // --missing DIR: a file for every form kind that has none yet.
        const fs::path dir = args[2];
        for (int form = 1; form <= m.fm->GetFormCount() && status == 0; ++form) {
            const std::string name = read([&](char* b, int n) { m.fm->GetFormName(b, n, form); });
            const fs::path file = dir / (name + ".txt");
            std::error_code ec;
            if (fs::exists(file, ec))
                continue;
            std::ofstream out(file, std::ios::binary);
            out << skeleton(m.fm, form);
            if (!out.flush())
                status = fail(1, "cannot write " + file.string());
            else
                std::printf("%s\n", file.string().c_str());
        }
    }
    m.fm->Release();
    m.lib->release();
    return status;
}

} // namespace qvdat
