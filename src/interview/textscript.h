#pragma once

#include "interview/question.h"

#include <cstddef>
#include <string>
#include <vector>

// An interview or audit script in its text form (SCRIPT.ivs): line oriented, tags recognised
// in any letter case anywhere in a trimmed line. Holds the file's lines and a reading
// position, so that a search can go on from where the last one stopped.
class TextScript final {
public:
    // Reads the file; false when it cannot be read (the script is then closed).
    bool Open(const std::string& path);
    // Takes the script from memory.
    void SetContent(const std::string& content, const std::string& path = {});
    void Close();
    bool IsOpen() const { return m_open; }
    const std::string& Path() const { return m_path; }
    void Rewind() { m_pos = 0; }

    // Searches forward from the reading position for the question of that name (any case)
    // and reads it. False when the script ends first.
    bool FindAndRead(const std::string& name, Question& q);
    // Every question of the script in file order; the raw text keeps its backslash-n pairs
    // when `keepEscapes` is set (for compiling).
    std::vector<Question> ReadAll(bool keepEscapes);

private:
    bool FindName(const std::string& upperName);
    void ReadQuestion(Question& q, bool keepEscapes);
    bool NextLine(std::string& line);
    std::string TakeLine();
    // Lines up to one equal to `closer` or "</QUESTION>"; true when the question ended there.
    bool ReadList(const char* closer, std::vector<std::string>& list);

    std::vector<std::string> m_lines;
    std::size_t m_pos = 0;
    std::string m_path;
    bool m_open = false;
};
