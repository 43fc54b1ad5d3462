#include "app/texthelpers.h"

#include "platform/text.h"

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

std::string ReadToken(const std::string& text, int n, char separator) {
    if (n < 1)
        return {};
    std::size_t i = 0;
    if (separator == ' ') {
        while (i < text.size() && text[i] == ' ')
            ++i;
    }
    int index = 1;
    bool quoted = false;
    std::string token;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == separator && !quoted) {
            if (index == n)
                return token;
            ++index;
            if (separator == ' ') {
                while (i + 1 < text.size() && text[i + 1] == ' ')
                    ++i;
            }
            continue;
        }
        if (index == n)
            token += c;
    }
    return index == n ? token : std::string();
}

std::string ReadArgument(const std::string& text, int n) {
    const std::size_t open = text.find('(');
    if (open == std::string::npos || n < 1)
        return {};
    int index = 1;
    int depth = 0;
    bool quoted = false;
    std::string argument;
    for (std::size_t i = open + 1; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted) {
            if (c == '(') {
                ++depth;
            } else if (c == ')') {
                if (depth <= 0)
                    break;
                --depth;
            } else if (c == ',' && depth == 0) {
                if (index == n)
                    break;
                ++index;
                continue;
            }
        }
        if (index == n)
            argument += c;
    }
    return index == n ? TrimBlanks(argument) : std::string();
}

int ReplaceAll(std::string& text, const std::string& find, const std::string& replacement) {
    if (find.empty())
        return 0;
    int count = 0;
    std::size_t pos = 0;
    while ((pos = text.find(find, pos)) != std::string::npos) {
        text.replace(pos, find.size(), replacement);
        pos += replacement.size();
        ++count;
    }
    return count;
}

std::string CapitalizeWords(const std::string& text) {
    std::string result = pf::lower(TrimBlanks(text));
    bool startOfWord = true;
    for (char& c : result) {
        if (startOfWord && c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
        startOfWord = c == ' ';
    }
    return result;
}

std::string TrimBlanks(const std::string& text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}
