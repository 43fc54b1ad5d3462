#pragma once

#include "forms/formlayout.h"

#include <map>
#include <string>
#include <vector>

// Compiles the readable layout source (content/LAYOUTS.md describes it) into the
// binary records of a form layout. Errors carry "file:line: " and do not stop the pass, so
// one run reports every bad line; the records are only meaningful when there are none.
namespace qvdat {

// Height of one printed page of a layout: the layout printer shows the records whose top
// lies within successive bands of this many twips.
inline constexpr int kLayoutPageHeight = 11200;
inline constexpr int kLayoutPageWidth = 9300;

class LayoutCompiler final {
public:
    LayoutCompiler();

    bool compileFile(const std::string& path);
    bool compileText(const std::string& text, const std::string& fileName);

    const std::vector<qv::LayoutRecord>& records() const { return m_records; }
    const std::vector<std::string>& errors() const { return m_errors; }

    // The record a keyword starts from before its own keys are applied; the dumper leaves out
    // what equals it.
    static qv::LayoutRecord baseRecord(qv::LayoutKind kind);

private:
    struct SourceLine {
        std::string text;
        std::string where; // "file:line", with the macro call chain when expanded
    };
    struct Block {
        std::vector<std::string> params; // macro parameter names, in order
        std::map<std::string, std::string> defaults;
        std::vector<SourceLine> body;
    };
    using Vars = std::map<std::string, std::string>;

    bool readFile(const std::string& path, std::vector<SourceLine>& lines,
                  const std::string& calledFrom);
    void run(const std::vector<SourceLine>& lines, const Vars& locals, int depth);
    void runLine(const std::vector<SourceLine>& lines, std::size_t& i, const Vars& locals,
                 int depth);
    void error(const std::string& where, const std::string& message);

    std::vector<qv::LayoutRecord> m_records;
    std::vector<std::string> m_errors;
    std::map<std::string, std::string> m_globals;
    std::map<std::string, Block> m_macros;
    std::map<std::string, std::map<std::string, std::string>> m_defaults; // kind -> key=value
    std::vector<std::string> m_includeStack;
    int m_pageTop = 0; // twips below the layout's top where the current page starts
    int m_originX = 0;
    int m_originY = 0;
    int m_controlNumber = 0; // last control number given
    bool m_haveHeader = false;
    std::size_t m_expandedLines = 0;
    bool m_stopped = false; // too many errors or lines: the rest is skipped
};

} // namespace qvdat
