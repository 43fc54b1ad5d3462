#pragma once

#include "html/htmlattribute.h"
#include "html/htmltokens.h"
#include "html/section.h"
#include "html/sectionbase.h"
#include "html/textformat.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class HtmlDocument;
class CHTMLTable;
class ImageMap;
class PageForm;

namespace qv {
class ParserHost;
}

// Reads a page of the dialect into an HtmlDocument: a character reader, a tokenizer over a
// fixed tag table and a recursive builder. Never builds an element tree; unknown or badly
// nested markup is skipped, never an error. The only error, a comment left open at the end,
// raises CHTMLException after it has been shown.
class HtmlParser final {
public:
    // The program passes qv::ParserHost::app().
    explicit HtmlParser(const qv::ParserHost& host);
    ~HtmlParser();

    void Parse(HtmlDocument& document, std::map<std::string, CSectionBase*>& anchors,
               const char* text, std::size_t length);

    // Constructs nest (tables, lists, centred blocks) at most this deep; deeper tags are
    // skipped so that hostile pages cannot exhaust the stack.
    static constexpr int kMaxNesting = 40;
    static constexpr int kMaxPushedFormats = 25;

private:
    // Character reader.
    int rawByte();
    void advance();
    void skipComment();
    void skipWhitespace();
    // Tokenizer.
    void nextToken();
    void readTag();
    void readAttributes(bool keep);
    std::string readEntity();
    void readText();

    // Builder.
    void parseBody();
    void blockLoop(bool outermost);
    bool handleInline(int t);
    bool handleBlock(int t);
    void listLoop(int t, int depth);
    void parseTable();
    void parsePre();
    void parseScript();
    void parseSelect(CFormControl* control);
    void parseTextArea(CFormControl* control);
    void parseParagraph();
    void parseCenter(int t);

    CSection& openBlock();
    void closeBlock();
    void adopt(std::unique_ptr<CSectionBase> block);
    void openSection(int align);
    template <class T, class... Args>
    void openItem(Args&&... args);
    bool pushFormat(const qv::TextFormat& f);
    void popFormat();
    const qv::TextFormat& top() const { return m_formats.back(); }
    void markFormat();
    void endLink();
    void addTerms(const int* ids);
    void removeTerms(const int* ids);
    bool listEnd(int t) const;
    int alignAttr(int def) const;
    void addControl(int t);

    const qv::ParserHost& m_host;

    // Reader state.
    const unsigned char* m_p = nullptr;
    const unsigned char* m_end = nullptr;
    int m_ch = 26;
    int m_up = 26;
    int m_pushed = -1;
    bool m_keepWhitespace = false;
    int m_tok = qv::tok::END_OF_INPUT;
    std::string m_text;
    int m_level = 0;
    qv::AttributeList m_attrs;
    int m_term[qv::tok::COUNT] = {};

    // Builder state.
    HtmlDocument* m_doc = nullptr;
    std::map<std::string, CSectionBase*>* m_anchors = nullptr;
    SectionList* m_list = nullptr;
    std::unique_ptr<CSection> m_open;
    std::vector<qv::TextFormat> m_formats; // [0] is the base entry
    std::uint16_t m_style = 0;
    int m_vpos = qv::kNormal;
    int m_align = qv::kAlignLeft;
    int m_baseSize = 3;
    qv::LinkState m_link;
    bool m_linkOpen = false;
    int m_linkCount = 0;
    PageForm* m_form = nullptr;
    std::unique_ptr<ImageMap> m_map;
    int m_depth = 0;
    int m_nesting = 0;
};
