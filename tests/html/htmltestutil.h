#pragma once

#include "html/htmldocument.h"
#include "html/htmlparser.h"
#include "html/parserhost.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CSection;

namespace qvtest {

// A parser host that notes errors instead of showing them.
class RecordingHost final : public qv::ParserHost {
public:
    void showError(const std::string& message) const override { errors.push_back(message); }
    std::string onlineSetting(const std::string& name) const override {
        auto it = settings.find(name);
        return it == settings.end() ? std::string() : it->second;
    }
    mutable std::vector<std::string> errors;
    std::map<std::string, std::string> settings;
};

std::unique_ptr<HtmlDocument> parse(const std::string& html, RecordingHost* host = nullptr);

// One line per block: a short class name, details and the text; empty text blocks are left
// out. Table cells are shown nested in brackets.
std::string dump(const SectionList& list);

// The text blocks of a list in order, descending into tables.
std::vector<const CSection*> sections(const SectionList& list);

} // namespace qvtest
