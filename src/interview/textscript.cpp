#include "interview/textscript.h"

#include "app/texthelpers.h"

#include <fstream>
#include <sstream>

namespace {

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return s;
}

bool Contains(const std::string& s, const char* part) {
    return s.find(part) != std::string::npos;
}

} // namespace

bool TextScript::Open(const std::string& path) {
    Close();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    SetContent(content.str(), path);
    return true;
}

void TextScript::SetContent(const std::string& content, const std::string& path) {
    m_lines.clear();
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        m_lines.push_back(TrimBlanks(content.substr(start, end - start)));
        start = end + 1;
    }
    m_pos = 0;
    m_path = path;
    m_open = true;
}

void TextScript::Close() {
    m_lines.clear();
    m_pos = 0;
    m_path.clear();
    m_open = false;
}

bool TextScript::NextLine(std::string& line) {
    if (m_pos >= m_lines.size())
        return false;
    line = m_lines[m_pos++];
    return true;
}

std::string TextScript::TakeLine() {
    std::string line;
    NextLine(line);
    return line;
}

bool TextScript::FindName(const std::string& upperName) {
    std::string line;
    while (NextLine(line)) {
        const std::string tag = Upper(line);
        if (tag == "</SCRIPT>")
            return false;
        if (Contains(tag, "<NAME>")) {
            if (!NextLine(line))
                return false;
            if (Upper(line) == upperName)
                return true;
            // The line after a name that does not match is passed over untested.
            ++m_pos;
        }
    }
    return false;
}

bool TextScript::FindAndRead(const std::string& name, Question& q) {
    if (!m_open || !FindName(Upper(TrimBlanks(name))))
        return false;
    q = Question();
    q.name = m_lines[m_pos - 1];
    ReadQuestion(q, false);
    return true;
}

std::vector<Question> TextScript::ReadAll(bool keepEscapes) {
    std::vector<Question> all;
    m_pos = 0;
    std::string line;
    while (NextLine(line)) {
        const std::string tag = Upper(line);
        if (tag == "</SCRIPT>")
            break;
        if (Contains(tag, "<NAME>")) {
            Question q;
            q.name = TakeLine();
            ReadQuestion(q, keepEscapes);
            all.push_back(std::move(q));
        }
    }
    return all;
}

bool TextScript::ReadList(const char* closer, std::vector<std::string>& list) {
    std::string line;
    while (NextLine(line)) {
        const std::string upper = Upper(line);
        if (upper == closer)
            return false;
        if (upper == "</QUESTION>")
            return true;
        // A commented line is dropped whole, also when the comment starts mid-line.
        if (upper.empty() || Contains(upper, "//"))
            continue;
        list.push_back(upper);
    }
    return false;
}

// Reads from the line after the question's name up to "</QUESTION>" or the end. A list or
// text block closed by "</QUESTION>" ends the question there too, so that a missing closing
// tag never lets one question run into the next.
void TextScript::ReadQuestion(Question& q, bool keepEscapes) {
    std::string line;
    while (NextLine(line)) {
        const std::string tag = Upper(line);
        if (Contains(tag, "</QUESTION>"))
            return;
        if (Contains(tag, "<NEXT QUESTION>")) {
            if (ReadList("</NEXT QUESTION>", q.nextQuestions))
                return;
        } else if (Contains(tag, "<NEXT AUDIT>")) {
            q.nextAudit = TakeLine();
        } else if (Contains(tag, "<ADVISOR SCRIPT>")) {
            q.advisorScript = TakeLine();
        } else if (Contains(tag, "<TEXT>")) {
            while (NextLine(line)) {
                const std::string upper = Upper(line);
                if (Contains(upper, "</QUESTION>"))
                    return;
                if (Contains(upper, "</TEXT>"))
                    break;
                if (!keepEscapes)
                    ReplaceAll(line, "\\n", "\r\n");
                q.text += line;
            }
        } else if (Contains(tag, "<HELPID>")) {
            q.helpId = TakeLine();
        } else if (Contains(tag, "<TGXHELPID>")) {
            q.tgxHelpId = Upper(TakeLine());
        } else if (Contains(tag, "<LHIMAGES>")) {
            q.lhImages = TakeLine();
        } else if (Contains(tag, "<SETFIELD>")) {
            while (NextLine(line) && !line.empty()) {
                const std::string upper = Upper(line);
                if (Contains(upper, "</QUESTION>"))
                    return;
                q.setFields.push_back(upper);
            }
        } else if (Contains(tag, "<HPIMAGES>")) {
            q.hpImages = TakeLine();
        } else if (Contains(tag, "<WINDOWS>")) {
            q.windows = TakeLine();
        } else if (Contains(tag, "<RHCONTROLS>")) {
            q.rhControls = TakeLine();
        } else if (Contains(tag, "<CONDITIONS>")) {
            if (ReadList("</CONDITIONS>", q.conditions))
                return;
        } else if (Contains(tag, "<INPUT>")) {
            q.input = TakeLine();
        } else if (Contains(tag, "<FORM>")) {
            q.form = TakeLine();
        }
    }
}
